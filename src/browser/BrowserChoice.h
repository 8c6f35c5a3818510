#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The Browser setting: which program opens links. The stored values are "default" (the
// desktop's default browser), "host" (Tavoro browser windows), "app:ID" (a browser found
// by its desktop file ID) and "command:TEXT" (the user's own command, %u for the address).
// An empty value means the desktop's default where there is one, else the host.
class BrowserChoice
{
public:
    static const QString DesktopDefault;
    static const QString Host;
    static const QString AppPrefix;
    static const QString CommandPrefix;
    // The desktop files of the browsers looked for, in the order they are offered.
    static const QStringList KnownIds;

    struct Option
    {
        QString value;
        QString label;
    };

    // The program a setting comes to; host: the browser host's windows instead.
    struct Target
    {
        bool host = true;
        QString name;
        QStringList command;
        bool userCommand = false;
    };

    // Asks `xdg-settings get default-web-browser` for the desktop file, else takes $BROWSER.
    static std::optional<Target> DesktopDefaultBrowser();
    static std::optional<Target> Installed(const QString& id);
    // The desktop default (when found), each browser found, the host.
    static QList<Option> Options();
    // What an empty setting stands for.
    static QString AutomaticValue();
    static Target Resolve(const QString& setting);
};
