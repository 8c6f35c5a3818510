#include "browser/clsIEList.h"

#include "browser/IEListError.h"
#include "editing/PathUtils.h"
#include "platform/SystemVersion.h"

namespace {

const QString BrowserClass = QStringLiteral("IEFrame");
const QString FolderClass = QStringLiteral("CabinetWClass");
const QString TitleSuffix = QStringLiteral(" - Microsoft Internet Explorer");
constexpr int TextLimit = 255;
const char* const RealBrowserClasses[] = {
    "firefox",       "navigator", "librewolf", "chromium",           "google-chrome",
    "brave-browser", "vivaldi",   "epiphany",  "org.gnome.epiphany", "falkon"};
// Firefox joins with an em dash, the others with a hyphen.
const char* const RealBrowserSuffixes[] = {
    " \u2014 Mozilla Firefox", " - Mozilla Firefox", " \u2014 Firefox", " - Chromium",
    " - Google Chrome",        " - Brave",           " - Vivaldi",      " - Falkon",
    " \u2014 Falkon"};

} // namespace

clsIEList::clsIEList(WindowSystem* windows) : m_windows(windows) {}

QString clsIEList::CleanCaption(const QString& caption)
{
    QString cleaned = caption;
    cleaned.remove(QStringLiteral("www.")).remove(QStringLiteral("http://"));
    return CleanFileName(cleaned);
}

QString clsIEList::GetWindowClass(WindowSystem::Handle window) const
{
    return m_windows->ClassName(window).left(TextLimit);
}

QString clsIEList::GetWindowCaption(WindowSystem::Handle window) const
{
    return m_windows->Title(window).left(TextLimit);
}

WindowSystem::Handle clsIEList::FindAddressBar(WindowSystem::Handle frame) const
{
    const QString worker =
        SystemVersion::IsWinNT() ? QStringLiteral("WorkerW") : QStringLiteral("WorkerA");
    WindowSystem::Handle window = frame;
    for (const QString& className :
         {worker, QStringLiteral("ReBarWindow32"), QStringLiteral("ComboBoxEx32"),
          QStringLiteral("ComboBox"), QStringLiteral("Edit")}) {
        window = m_windows->FindChild(window, className);
        if (window == 0)
            return 0;
    }
    return window;
}

bool clsIEList::IsRealBrowserClass(const QString& className)
{
    const QString lower = className.toLower();
    for (const char* known : RealBrowserClasses) {
        if (lower.startsWith(QLatin1String(known)))
            return true;
    }
    return false;
}

QString clsIEList::StripBrowserSuffix(const QString& title)
{
    for (const char* suffix : RealBrowserSuffixes) {
        const QString text = QString::fromUtf8(suffix);
        if (title.endsWith(text))
            return title.chopped(text.size());
    }
    return title;
}

bool clsIEList::IsRealBrowser(int index) const
{
    return index >= 1 && index <= Count() && m_entries.at(index - 1).realBrowser;
}

void clsIEList::Refresh(Scope scope)
{
    m_entries.clear();
    if (!m_windows)
        return;
    const QList<WindowSystem::Handle> windows = m_windows->TopLevelWindows();
    for (const WindowSystem::Handle window : windows) {
        if (!m_windows->IsVisible(window))
            continue;
        const QString className = GetWindowClass(window);
        if (className != BrowserClass && className != FolderClass) {
            if (scope == AllWindows && IsRealBrowserClass(className))
                m_entries.append(
                    {window, 0, StripBrowserSuffix(GetWindowCaption(window)), {}, true});
            continue;
        }
        IEWindowEntry entry;
        entry.hWnd = window;
        entry.Caption = GetWindowCaption(window);
        const qsizetype suffix = entry.Caption.indexOf(TitleSuffix);
        if (suffix >= 0)
            entry.Caption.truncate(suffix);
        entry.hEdit = FindAddressBar(window);
        if (entry.hEdit != 0)
            entry.URL = m_windows->GetText(entry.hEdit);
        m_entries.append(entry);
    }
}

int clsIEList::Count() const
{
    return static_cast<int>(m_entries.size());
}

QString clsIEList::fGetURLInfo(int index, int field) const
{
    if (index < 1 || index > Count())
        return {};
    const IEWindowEntry& entry = m_entries.at(index - 1);
    switch (field) {
    case FieldhWnd:
        return QString::number(entry.hWnd);
    case FieldCaption:
        return entry.Caption;
    case FieldURL:
        return entry.URL;
    case FieldhEdit:
        return QString::number(entry.hEdit);
    default:
        return {};
    }
}

WindowSystem::Handle clsIEList::handleField(int index, int field, const char* source) const
{
    bool ok = false;
    const WindowSystem::Handle handle = fGetURLInfo(index, field).toULongLong(&ok);
    if (!ok)
        throw IEListError(13, QStringLiteral("Type mismatch"), QString::fromLatin1(source));
    return handle;
}

WindowSystem::Handle clsIEList::ItemhWnd(int index) const
{
    return handleField(index, FieldhWnd, "InetExplorer::ItemhWnd");
}

QString clsIEList::ItemCaption(int index) const
{
    return fGetURLInfo(index, FieldCaption);
}

QString clsIEList::ItemURL(int index) const
{
    return fGetURLInfo(index, FieldURL);
}

void clsIEList::NavigateTo(int index, const QString& address)
{
    const WindowSystem::Handle edit = handleField(index, FieldhEdit, "NavigateTo");
    if (edit == 0 || !m_windows)
        return;
    // A line break would end the typed address early in the address bar.
    QString typed = address;
    typed.remove(u'\r').remove(u'\n');
    m_windows->SetText(edit, typed);
    m_windows->SendKeyDown(edit, WindowSystem::VK_RETURN);
}

void SetTopMost(WindowSystem* windows, WindowSystem::Handle window, bool on)
{
    if (!windows)
        return;
    if (on)
        windows->Raise(window);
    windows->SetKeepAbove(window, on);
}

void BringToFront(WindowSystem* windows, WindowSystem::Handle window)
{
    SetTopMost(windows, window, true);
    SetTopMost(windows, window, false);
}
