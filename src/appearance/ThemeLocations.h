#pragma once

#include "appearance/clsThemeApps.h"

#include <QString>

// Where the themes file lives. The one shipped with the program is the read-only
// default; the user's own copy is read once it exists, and every save writes it.
struct ThemeLocations
{
    QString shipped;
    QString user;

    // The shipped file, installed or beside the program, and the user's copy under
    // $XDG_CONFIG_HOME/tavoro.
    static ThemeLocations ForProgram(const QString& programFolder);
    // The themes file shipped with the program.
    static QString ShippedFile(const QString& programFolder);

    // The user's copy when there is one, else the shipped file.
    clsThemeApps Read() const;
    // Writes the user's copy, creating its folder first; the shipped file stays as it is.
    bool Write(const clsThemeApps& themes, QString* error = nullptr) const;
};
