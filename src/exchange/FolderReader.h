#pragma once

#include "exchange/BookmarkTree.h"
#include "exchange/QuietFileSystem.h"
#include "platform/FileSystemService.h"

#include <QSet>

// Reads a folder of Internet Shortcut files into a bookmark tree: what an export writes
// out, and what a merge of another Favorites folder brings in.
class FolderReader
{
public:
    FolderReader(const FileSystemService& fileSystem, ExchangeProgress* progress = nullptr);
    // False with error set when root cannot be listed at all.
    bool Read(const QString& root, BookmarkTree& tree, QString& error);

private:
    void readFolder(const QString& path, BookmarkNode& node, int depth, BookmarkTree& tree);
    void readLinks(BookmarkNode& root);
    void readLink(BookmarkNode& link) const;

    const FileSystemService& m_fileSystem;
    ExchangeProgress* m_progress;
    QuietFileSystem m_quiet;
    QSet<FolderId> m_seen;
};
