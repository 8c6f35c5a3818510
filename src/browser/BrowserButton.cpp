#include "browser/BrowserButton.h"

#include "core/AppInfo.h"
#include "platform/Prompts.h"
#include "platform/RegistryRoutines.h"

#include <QFileInfo>

BrowserButton::BrowserButton(Registry& registry, Prompts& prompts, const QString& programPath,
                             QWidget* owner)
    : m_registry(registry), m_prompts(prompts),
      m_programFolder(QFileInfo(programPath).absolutePath()),
      m_programName(QFileInfo(programPath).completeBaseName()), m_owner(owner)
{
}

QString BrowserButton::readClsid() const
{
    return ReadRegValue(m_registry, ExtensionsKey, ButtonId, QStringLiteral("CLSID"), QString())
        .toString();
}

bool BrowserButton::IsBrowserButtonInstalled() const
{
    return readClsid().toUpper() == RunProgramClsid.toUpper();
}

void BrowserButton::AddBrowserButton()
{
    // The browser's button key has always held two backslashes before the file name.
    const QString icon = m_programFolder + QStringLiteral("\\\\Tavoro-IE1.ico");
    const QString exec =
        m_programFolder + QStringLiteral("\\\\") + m_programName + QStringLiteral(".exe");
    const std::pair<const char*, QString> values[] = {
        {"Default Visible", QStringLiteral("Yes")},
        {"ButtonText", AppInfo::ProductName},
        {"HotIcon", icon},
        {"Icon", icon},
        {"Exec", exec},
        {"CLSID", RunProgramClsid},
    };
    m_registry.BeginBatch();
    for (const auto& [name, data] : values)
        WriteRegValue(m_registry, ExtensionsKey, ButtonId, QString::fromLatin1(name), data);
    m_registry.EndBatch();

    if (IsBrowserButtonInstalled()) {
        m_prompts.MsgBox(m_owner,
                         AppInfo::ProductName +
                             QStringLiteral(" successfully added to Internet Explorer Toolbar."
                                            "\r\n\r\nNOTE: change will not take effect until "
                                            "you close and \r\nreopen Internet Explorer and set "
                                            "toolbar to be visible."),
                         Prompts::Buttons::Ok, Prompts::Icon::Information, AppInfo::AppTitle);
    } else {
        m_prompts.Warn(m_owner,
                       AppInfo::ProductName +
                           QStringLiteral(" could not be added to the Internet Explorer Toolbar."),
                       AppInfo::AppTitle);
    }
}

void BrowserButton::RemoveBrowserButton()
{
    DeleteRegKey(m_registry, ExtensionsKey, ButtonId);
    if (readClsid().isEmpty()) {
        m_prompts.MsgBox(m_owner,
                         AppInfo::ProductName +
                             QStringLiteral(" successfully removed from Internet Explorer "
                                            "Toolbar.\r\n\r\nNOTE: change will not take effect "
                                            "until you close and \r\nreopen Internet Explorer."),
                         Prompts::Buttons::Ok, Prompts::Icon::Information, AppInfo::AppTitle);
    } else {
        m_prompts.Warn(
            m_owner,
            AppInfo::ProductName +
                QStringLiteral(" could not be removed from the Internet Explorer Toolbar."),
            AppInfo::AppTitle);
    }
}
