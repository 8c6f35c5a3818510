#include "exchange/FolderReader.h"

#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"
#include "platform/PathCodec.h"

#include <algorithm>
#include <thread>

namespace {

// Bookmark files keep whole seconds.
std::int64_t Seconds(std::int64_t milliseconds)
{
    return milliseconds >= 0 ? milliseconds / 1000 : (milliseconds - 999) / 1000;
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
    readAddresses(tree.Root);
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
            child->Modified = Seconds(folder.Details.Modified);
            child->Added = qMin(Seconds(folder.Details.Created), child->Modified);
        } else {
            ++tree.Flattened;
        }
        readFolder(folder.Path, *child, depth + 1, tree);
    }
    for (const FsEntry& file : contents.Files) {
        if ((file.Details.Attributes & AttributeHidden) ||
            !file.Name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
            continue;
        // The path stands in for the address until readAddresses reads them all.
        BookmarkNode& link =
            node.AddLink(PathCodec::Readable(FileSystemService::GetBaseName(file.Name)), file.Path);
        link.Modified = Seconds(file.Details.Modified);
        link.Added = qMin(Seconds(file.Details.Created), link.Modified);
        link.Visited = Seconds(file.Details.Accessed);
    }
}

void FolderReader::readAddresses(BookmarkNode& root)
{
    std::vector<BookmarkNode*> links;
    std::vector<BookmarkNode*> folders{&root};
    while (!folders.empty()) {
        BookmarkNode* folder = folders.back();
        folders.pop_back();
        for (BookmarkNode& node : folder->Children)
            (node.IsFolder ? folders : links).push_back(&node);
    }
    // Opening and reading each small file is the cost here, and it waits on the kernel,
    // so a few threads share it.
    const auto read = [this, &links](std::size_t first, std::size_t step) {
        for (std::size_t i = first; i < links.size(); i += step) {
            if (m_progress && m_progress->Cancel.load(std::memory_order_relaxed))
                return;
            links[i]->Address = ShortcutFile::ReadShortcutURL(m_quiet, links[i]->Address);
            if (m_progress)
                m_progress->Done.fetch_add(1, std::memory_order_relaxed);
        }
    };
    const std::size_t threads =
        links.size() < 1000 ? 1
                            : std::clamp<std::size_t>(std::thread::hardware_concurrency(), 2, 8);
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t)
        helpers.emplace_back(read, t, threads);
    read(0, threads);
    for (std::thread& helper : helpers)
        helper.join();
}
