#include "browser/BrowserChoice.h"

#include "browser/DesktopEntry.h"

#include <QProcess>

const QString BrowserChoice::DesktopDefault = QStringLiteral("default");
const QString BrowserChoice::Host = QStringLiteral("host");
const QString BrowserChoice::AppPrefix = QStringLiteral("app:");
const QString BrowserChoice::CommandPrefix = QStringLiteral("command:");
const QStringList BrowserChoice::KnownIds{QStringLiteral("firefox.desktop"),
                                          QStringLiteral("firefox-esr.desktop"),
                                          QStringLiteral("chromium.desktop"),
                                          QStringLiteral("google-chrome.desktop"),
                                          QStringLiteral("brave-browser.desktop"),
                                          QStringLiteral("vivaldi-stable.desktop"),
                                          QStringLiteral("org.gnome.Epiphany.desktop"),
                                          QStringLiteral("org.kde.falkon.desktop")};

namespace {

constexpr int XdgSettingsTimeoutMs = 3000;

QString desktopDefaultId()
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral("xdg-settings"),
                  {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (!process.waitForFinished(XdgSettingsTimeoutMs)) {
        process.kill();
        process.waitForFinished(XdgSettingsTimeoutMs);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

} // namespace

std::optional<BrowserChoice::Target> BrowserChoice::Installed(const QString& id)
{
    const std::optional<DesktopEntry> entry = DesktopEntry::Find(id);
    if (!entry)
        return std::nullopt;
    return Target{false, entry->name, entry->command, false};
}

std::optional<BrowserChoice::Target> BrowserChoice::DesktopDefaultBrowser()
{
    if (std::optional<Target> found = Installed(desktopDefaultId()))
        return found;
    // $BROWSER lists commands by colons; the first is the one wanted most.
    const QString browser = qEnvironmentVariable("BROWSER").section(u':', 0, 0).trimmed();
    if (browser.isEmpty())
        return std::nullopt;
    const QStringList command = DesktopEntry::SplitCommand(browser);
    if (command.isEmpty())
        return std::nullopt;
    return Target{false, command.first(), command, browser.contains(QLatin1String("%s"))};
}

QList<BrowserChoice::Option> BrowserChoice::Options()
{
    QList<Option> options;
    if (const std::optional<Target> found = DesktopDefaultBrowser())
        options.append({DesktopDefault, QStringLiteral("Desktop default (%1)").arg(found->name)});
    for (const QString& id : KnownIds) {
        if (const std::optional<Target> found = Installed(id))
            options.append({AppPrefix + id, found->name});
    }
    options.append({Host, QStringLiteral("Tavoro browser windows")});
    return options;
}

QString BrowserChoice::AutomaticValue()
{
    return DesktopDefaultBrowser() ? DesktopDefault : Host;
}

BrowserChoice::Target BrowserChoice::Resolve(const QString& setting)
{
    const QString& value = setting;
    std::optional<Target> found;
    if (value.isEmpty() || value == DesktopDefault) {
        found = DesktopDefaultBrowser();
    } else if (value.startsWith(AppPrefix)) {
        found = Installed(value.mid(AppPrefix.size()));
    } else if (value.startsWith(CommandPrefix)) {
        const QString command = value.mid(CommandPrefix.size());
        found = Target{false, command, DesktopEntry::SplitCommand(command), true};
    }
    // A browser that has gone since it was chosen: the host's windows still open links.
    return found ? *found : Target{};
}
