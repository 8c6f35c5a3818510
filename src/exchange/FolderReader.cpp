#include "exchange/FolderReader.h"

#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"
#include "platform/PathCodec.h"

namespace {

std::int64_t Seconds(const QDateTime& time)
{
    return time.isValid() ? time.toSecsSinceEpoch() : 0;
}

} // namespace

FolderReader::FolderReader(const FileSystemService& fileSystem, ExchangeProgress* progress)
    : m_fileSystem(fileSystem), m_progress(progress)
{
}

bool FolderReader::Read(const QString& root, BookmarkTree& tree, QString& error)
{
    m_seen.clear();
    try {
        m_fileSystem.Contents(root);
        m_seen.insert(m_fileSystem.Identity(root));
    } catch (const FileSystemError& failure) {
        error = failure.Description() + QStringLiteral(": ") + root;
        return false;
    }
    readFolder(root, tree.Root, 0, tree);
    return true;
}

void FolderReader::readFolder(const QString& path, BookmarkNode& node, int depth,
                              BookmarkTree& tree)
{
    FolderContents contents;
    try {
        contents = m_fileSystem.Contents(path);
    } catch (const FileSystemError&) {
        return; // an unreadable folder exports as an empty one
    }
    for (const FsEntry& folder : contents.SubFolders) {
        if (m_progress && m_progress->Cancel.load(std::memory_order_relaxed))
            return;
        if (folder.Details.Attributes & AttributeHidden)
            continue;
        try {
            // A link back up the tree would never end.
            if (!m_seen.contains(m_fileSystem.Identity(folder.Path)))
                m_seen.insert(m_fileSystem.Identity(folder.Path));
            else
                continue;
        } catch (const FileSystemError&) {
            continue;
        }
        BookmarkNode* child = &node;
        if (depth + 1 <= BookmarkTree::MaxDepth) {
            child = &node.AddFolder(PathCodec::Readable(folder.Name));
            child->Modified = Seconds(folder.Details.DateLastModified);
            child->Added = qMin(Seconds(folder.Details.DateCreated), child->Modified);
        } else {
            ++tree.Flattened;
        }
        readFolder(folder.Path, *child, depth + 1, tree);
    }
    for (const FsEntry& file : contents.Files) {
        if ((file.Details.Attributes & AttributeHidden) ||
            !file.Name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
            continue;
        BookmarkNode& link = node.AddLink(PathCodec::Readable(FileSystemService::GetBaseName(file.Name)),
                                          ShortcutFile::ReadShortcutURL(m_quiet, file.Path));
        link.Modified = Seconds(file.Details.DateLastModified);
        link.Added = qMin(Seconds(file.Details.DateCreated), link.Modified);
        link.Visited = Seconds(file.Details.DateLastAccessed);
        if (m_progress)
            m_progress->Done.fetch_add(1, std::memory_order_relaxed);
    }
}
