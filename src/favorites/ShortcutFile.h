#pragma once

#include <QString>

class FileSystemService;
class Prompts;
class QWidget;

// Internet Shortcut (.url) files: the address a browser opens, and new links as
// browsers write them.
class ShortcutFile
{
public:
    // The value of the first line that begins with "URL=" (any case, any section), as it
    // stands. Empty when there is none or the file cannot be read.
    static QString ReadShortcutURL(const FileSystemService& fileSystem, const QString& path);
    // The same from the file's first ReadLimit + 1 bytes, read elsewhere.
    static QString ShortcutURL(QByteArray head);
    // Real shortcuts are a few hundred bytes; this keeps a huge file from stalling a listing.
    static constexpr qsizetype ReadLimit = 1024 * 1024;
    // Writes a new shortcut at path. Never replaces anything already there; every
    // failure is shown to the user and returns false.
    static bool WriteShortcut(const FileSystemService& fileSystem, Prompts& prompts, QWidget* owner,
                              const QString& address, const QString& path);
};
