#include "BrowserHost.h"

#include "PageLoader.h"

#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"

BrowserHost::BrowserHost()
{
    Registry registry(Registry::DefaultDirectory(), nullptr);
    m_homeAddress = ReadRegValue(registry, QStringLiteral("Software\\Microsoft\\Internet Explorer"),
                                 QStringLiteral("Main"), QStringLiteral("Start Page"),
                                 QString::fromLatin1(PageLoader::HomeAddress))
                        .toString();
    m_buttons = ExtensionButtons::Read(registry);
}

BrowserHost::~BrowserHost()
{
    for (const QPointer<BrowserFrame>& frame : std::as_const(m_frames))
        delete frame;
}

BrowserFrame* BrowserHost::OpenFrame(BrowserFrame::Kind kind, const QString& address,
                                     bool addressBar, const QString& selected)
{
    auto* frame = new BrowserFrame(*this, kind, addressBar);
    m_frames.removeIf([](const QPointer<BrowserFrame>& open) { return open.isNull(); });
    m_frames.append(frame);
    frame->Navigate(address.trimmed().isEmpty() ? m_homeAddress : address, selected);
    frame->show();
    frame->activateWindow();
    return frame;
}
