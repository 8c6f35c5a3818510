#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// An application's .desktop file as far as starting a browser needs it: its name and its
// command, split into arguments (field codes such as %u are kept as they stand).
struct DesktopEntry
{
    QString id; // the file name, "firefox-esr.desktop"
    QString name;
    QStringList command;

    // The folders searched for applications, most important first: XDG_DATA_HOME's,
    // then each of XDG_DATA_DIRS'.
    static QStringList ApplicationDirs();
    // The first file of that name in those folders, if it has a usable command.
    static std::optional<DesktopEntry> Find(const QString& id);
    static std::optional<DesktopEntry> Parse(const QString& id, const QByteArray& contents);
    // Splits a command as the desktop files' Exec key quotes it: blanks separate,
    // double quotes (with backslash escapes inside) and single quotes group.
    static QStringList SplitCommand(const QString& command);
};
