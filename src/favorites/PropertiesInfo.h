#pragma once

#include <QDateTime>
#include <QString>

class FileSystemService;

// What the Properties dialog shows for one link file or folder.
struct PropertiesInfo
{
    QString Name;
    QString Location;
    QString URL; // links only
    QString Created;
    QString Modified;
    QString Accessed;
    bool ReadOnly = false;
    bool Hidden = false;
    bool System = false;

    // itemType is "L" for a link file and "F" for a folder. An item that cannot be read,
    // or is not of that type, gives everything empty: the dialog then shows nothing.
    static PropertiesInfo Read(const FileSystemService& fileSystem, const QString& itemPath,
                               const QString& itemType);

    // "Friday, September 24, 2004  5:38:14 PM", in English whatever the desktop's language.
    static QString TimeText(const QDateTime& time);
};
