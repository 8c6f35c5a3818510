#pragma once

#include <QString>

// Where the program's own files are: installed, they sit in share/tavoro and
// libexec/tavoro next to the bin folder; in the build tree, beside the program.
class DataPaths
{
public:
    explicit DataPaths(QString programFolder);
    // For the running executable.
    static DataPaths ForProgram();

    // The help pages, the shipped themes file and the other read-only data.
    QString DataFolder() const;
    // The browser host and the folder-window program.
    QString HelperFolder() const;
    QString HelpFolder() const;
    // The themes file as shipped; never written.
    QString ShippedThemesFile() const;

private:
    QString installedOrBeside(const char* fromBin) const;

    QString m_programFolder;
};
