#pragma once

#include "exchange/BatchHeadReader.h"
#include "exchange/BookmarkTree.h"
#include "platform/FileSystemService.h"

#include <QSet>

#include <condition_variable>
#include <mutex>
#include <vector>

// Reads a folder of Internet Shortcut files into a bookmark tree: what an export writes
// out, and what a merge of another Favorites folder brings in. Folders are read on every
// core, each by one thread with its links, so the tree comes out as the disk has it
// whichever thread read what.
class FolderReader
{
public:
    FolderReader(const FileSystemService& fileSystem, ExchangeProgress* progress = nullptr,
                 BatchHeadReader::Mode mode = BatchHeadReader::Mode::Batched);
    // False with error set when root cannot be listed at all.
    bool Read(const QString& root, BookmarkTree& tree, QString& error);

private:
    struct Task
    {
        QString Path;
        BookmarkNode* Node;
        int Depth;
    };
    // A subfolder whose node is at this index of its parent's children.
    struct Subfolder
    {
        QString Path;
        std::size_t Index;
    };

    void work();
    std::vector<Task> visit(const Task& task, BatchHeadReader& reader);
    void readFolder(const QString& path, BookmarkNode& node, int depth,
                    std::vector<Subfolder>& subfolders, BatchHeadReader& reader);
    void readLinks(const QString& folder, const QList<FsItem>& files, BookmarkNode& node,
                   BatchHeadReader& reader);
    bool firstVisit(const FolderId& id);
    bool cancelled() const;

    const FileSystemService& m_fileSystem;
    ExchangeProgress* m_progress;
    BatchHeadReader::Mode m_mode;

    std::mutex m_lock; // guards the members below
    std::condition_variable m_changed;
    std::vector<Task> m_tasks;
    int m_busy = 0;
    int m_flattened = 0;
    QSet<FolderId> m_seen;
};
