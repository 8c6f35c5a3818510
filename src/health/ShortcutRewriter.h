#pragma once

#include <QString>

class FileSystemService;

// Changes the address of a shortcut in place: only the value of its first "URL=" line
// changes, every other byte stays, and the file keeps its times.
class ShortcutRewriter
{
public:
    // An empty text on success, else why it failed as the system says it.
    static QString ReplaceUrl(const FileSystemService& fileSystem, const QString& path,
                              const QString& newAddress);
};
