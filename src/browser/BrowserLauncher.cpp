#include "browser/BrowserLauncher.h"

#include "browser/BrowserCommandLine.h"
#include "core/AppInfo.h"
#include "core/DataPaths.h"
#include "editing/PathUtils.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompts.h"

#include <QFileInfo>
#include <QStandardPaths>

BrowserLauncher::BrowserLauncher(ProgramLauncher& launcher, WindowSystem* windows, Prompts& prompts,
                                 QString programFolder, QWidget* owner)
    : m_launcher(launcher), m_windows(windows), m_prompts(prompts),
      m_programFolder(std::move(programFolder)), m_owner(owner)
{
}

QString BrowserLauncher::GetWindowsDir() const
{
    const QString folder = DataPaths(m_programFolder).HelperFolder();
    return folder.isEmpty() ? QString() : AddBackslash(folder);
}

QString BrowserLauncher::BrowserProgram() const
{
    return GetWindowsDir() + QStringLiteral("tavoro-browserhost");
}

WindowSystem::Handle BrowserLauncher::launchOnce(const QString& address)
{
    QStringList arguments{QStringLiteral("--new-window")};
    QString typed = address;
    typed.remove(u'\r').remove(u'\n');
    // After "--" an address that looks like an option, "--no-address-bar" say, stays one.
    if (!typed.isEmpty())
        arguments << QStringLiteral("--") << typed;
    const std::optional<QString> line =
        m_launcher.FirstOutputLine(BrowserProgram(), arguments, LaunchTimeoutMs);
    bool ok = false;
    const WindowSystem::Handle window = line ? line->toULongLong(&ok) : 0;
    if (!ok || window == 0)
        return 0;
    if (m_windows && !m_windows->Raise(window)) {
        // A window we cannot reach is of no use; ask it to go before trying again.
        m_windows->RequestClose(window);
        return 0;
    }
    return window;
}

BrowserChoice::Target BrowserLauncher::ChosenBrowser() const
{
    return m_setting ? BrowserChoice::Resolve(m_setting()) : BrowserChoice::Target{};
}

bool BrowserLauncher::OpenInBrowser(const BrowserChoice::Target& browser, const QString& address,
                                    bool newWindow)
{
    const BrowserCommandLine::Result line =
        BrowserCommandLine::Build(browser.command, browser.userCommand, address, newWindow);
    if (!line.refusal.isEmpty()) {
        m_prompts.Warn(m_owner, line.refusal, AppInfo::AppTitle);
        return false;
    }
    QString reason;
    const QString program =
        line.program.contains(u'/') ? line.program : QStandardPaths::findExecutable(line.program);
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        reason = QStringLiteral("The program \"%1\" was not found.").arg(line.program);
    else if (!m_launcher.StartDetached(program, line.arguments))
        reason = QStringLiteral("The program \"%1\" could not be started.").arg(program);
    if (reason.isEmpty())
        return true;
    m_prompts.MsgBox(m_owner, QStringLiteral("Unable to launch browser.\r\n\r\n") + reason,
                     Prompts::Buttons::Ok, Prompts::Icon::None, AppInfo::AppTitle);
    return false;
}

WindowSystem::Handle BrowserLauncher::LaunchBrowser(const QString& address)
{
    if (const BrowserChoice::Target browser = ChosenBrowser(); !browser.host) {
        OpenInBrowser(browser, address, true);
        return 0;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const WindowSystem::Handle window = launchOnce(address))
            return window;
    }
    m_prompts.MsgBox(m_owner, QStringLiteral("Unable to launch browser."), Prompts::Buttons::Ok,
                     Prompts::Icon::None, AppInfo::AppTitle);
    return 0;
}

QString BrowserLauncher::ExploreArgument(const QString& root, const QString& item,
                                         const OsVersionInfo& version)
{
    QString argument = QStringLiteral("/n,/e,/root,") + root;
    if (item.isEmpty() || item == root)
        return argument;
    QString selected = item;
    if (SystemVersion::GetOSShortName(version) == QLatin1String("NT4"))
        selected.remove(AddBackslash(root));
    return argument + QStringLiteral(",/select,") + selected;
}

void BrowserLauncher::ExploreFolder(const QString& root, const QString& item)
{
    m_launcher.StartDetached(GetWindowsDir() + QStringLiteral("EXPLORER.EXE"),
                             {ExploreArgument(root, item)});
}
