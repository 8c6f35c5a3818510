#pragma once

#include <QString>

// The desktop's answers to the shell's "Shell Folders" values.
class ShellFolders
{
public:
    virtual ~ShellFolders() = default;

    // $TAVORO_FAVORITES, else ~/Favorites. The main window makes it when it shows it.
    virtual QString Favorites() const;
    // $XDG_DATA_HOME/applications (~/.local/share/applications).
    virtual QString CommonPrograms() const;
    // $XDG_CONFIG_HOME/autostart (~/.config/autostart).
    virtual QString Autostart() const;

    // The value of the "Shell Folders" key by name, or a null string for names the
    // desktop has no answer for.
    QString Value(const QString& name) const;
};
