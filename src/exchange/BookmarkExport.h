#pragma once

#include "exchange/BookmarkTree.h"

class FileSystemService;

// Taking the Favorites out as a bookmark file browsers import.
class BookmarkExport
{
public:
    enum class Format
    {
        Html,
        Xbel
    };

    struct Result
    {
        int Links = 0;
        int Folders = 0;
        QString Error;
        QString Text(const QString& file) const;
    };

    // "xbel" or a name ending in ".xbel" is XBEL, anything else HTML.
    static Format FormatFor(const QString& formatName, const QString& file);
    static QByteArray Serialize(const BookmarkTree& tree, Format format);
    // Writes the folder's tree to file, replacing it whole or not at all.
    static Result Export(const FileSystemService& fileSystem, const QString& folder,
                         const QString& file, Format format, ExchangeProgress* progress = nullptr);
};
