#pragma once

#include "exchange/ImportSummary.h"

#include <QSet>

#include <cstdint>

class FileSystemService;
struct BookmarkNode;
struct BookmarkTree;
struct ExchangeProgress;

// Lays a bookmark tree out as folders of Internet Shortcut files below one folder,
// creating only new entries inside it: names are made safe and numbered, nothing is
// replaced, and the bookmarks' dates become the files' dates.
class UrlTreeWriter
{
public:
    UrlTreeWriter(const FileSystemService& fileSystem, ExchangeProgress* progress = nullptr);

    // target is made when missing (its parent must exist). Stops early on Cancel.
    ImportSummary Write(const BookmarkTree& tree, const QString& target);

    // The exact bytes of a shortcut as the program writes it.
    static QByteArray ShortcutBytes(const QString& address);
    // Modified and accessed times in seconds since 1970; 0 leaves a time alone.
    static bool SetTimes(const QString& path, std::int64_t modified, std::int64_t accessed);

private:
    void writeFolder(const BookmarkNode& folder, const QString& path, bool fresh);
    QString freeName(const QString& folder, const QString& name, const QString& extension,
                     bool fresh, QSet<QString>& used) const;
    void refused(const QString& description);
    bool cancelled() const;

    const FileSystemService& m_fileSystem;
    ExchangeProgress* m_progress;
    ImportSummary m_summary;
};
