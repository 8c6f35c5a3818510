#pragma once

#include "exchange/BookmarkTree.h"
#include "exchange/ImportSummary.h"

#include <QDate>

class FileSystemService;

// Bringing bookmarks in: what a source is, reading it, and laying it out as shortcuts.
class BookmarkImport
{
public:
    enum class Source
    {
        Html,
        Xbel,
        Chromium,
        Firefox,
        Folder
    };

    // A folder of shortcuts, a browser profile folder, or a file judged by its contents.
    static Source Detect(const FileSystemService& fileSystem, const QString& path);
    // "Firefox", "Chromium", "XBEL", "HTML", "Favorites": the word in a new folder's name.
    static QString Label(Source source);
    static bool Read(const FileSystemService& fileSystem, const QString& path, BookmarkTree& tree,
                     QString& error, ExchangeProgress* progress = nullptr);
    // Reads the source and writes it below target; nothing is created when it cannot be read.
    static ImportSummary Import(const FileSystemService& fileSystem, const QString& source,
                                const QString& target, ExchangeProgress* progress = nullptr);
    // A new folder below parent, "Imported from Firefox 2026-12-06", numbered when taken.
    static QString NewTarget(const FileSystemService& fileSystem, const QString& parent,
                             const QString& label, const QDate& date);
    // The whole file, or empty with error set.
    static QByteArray ReadFile(const FileSystemService& fileSystem, const QString& path,
                               QString& error);
};
