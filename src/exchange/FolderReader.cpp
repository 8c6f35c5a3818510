#include "exchange/FolderReader.h"

#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"
#include "platform/PathCodec.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace {

// Bookmark files keep whole seconds.
std::int64_t Seconds(std::int64_t milliseconds)
{
    return milliseconds >= 0 ? milliseconds / 1000 : (milliseconds - 999) / 1000;
}

bool IsHidden(const QString& name)
{
    return name.startsWith(QLatin1Char('.'));
}

void SetTimes(BookmarkNode& node, const FsDetails& details)
{
    node.Modified = Seconds(details.Modified);
    node.Added = qMin(Seconds(details.Created), node.Modified);
    if (!node.IsFolder)
        node.Visited = Seconds(details.Accessed);
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
        m_fileSystem.Listing(root);
        m_seen.insert(m_fileSystem.Identity(root));
    } catch (const FileSystemError& failure) {
        error = failure.Description() + QStringLiteral(": ") + root;
        return false;
    }
    readFolder(root, tree.Root, 0, tree);
    readLinks(tree.Root);
    return true;
}

void FolderReader::readFolder(const QString& path, BookmarkNode& node, int depth,
                              BookmarkTree& tree)
{
    // Names only: a link's details come with its contents, from one open of the file.
    FolderListing listing;
    try {
        listing = m_fileSystem.Listing(path);
    } catch (const FileSystemError&) {
        return; // an unreadable folder exports as an empty one
    }
    for (const FsItem& folder : listing.SubFolders) {
        if (m_progress && m_progress->Cancel.load(std::memory_order_relaxed))
            return;
        // A link back up the tree would never end.
        if (IsHidden(folder.Name) || m_seen.contains(folder.Id))
            continue;
        m_seen.insert(folder.Id);
        BookmarkNode* child = &node;
        if (depth + 1 <= BookmarkTree::MaxDepth) {
            child = &node.AddFolder(PathCodec::Readable(folder.Name));
            try {
                SetTimes(*child, m_fileSystem.Details(folder.Path));
            } catch (const FileSystemError&) {
                // gone or refused: the folder goes out without times
            }
        } else {
            ++tree.Flattened;
        }
        readFolder(folder.Path, *child, depth + 1, tree);
    }
    for (const FsItem& file : listing.Files) {
        if (IsHidden(file.Name) || !file.Name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
            continue;
        // The path stands in for the address until readLinks reads them all.
        node.AddLink(PathCodec::Readable(FileSystemService::GetBaseName(file.Name)), file.Path);
    }
}

void FolderReader::readLinks(BookmarkNode& root)
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
            readLink(*links[i]);
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

void FolderReader::readLink(BookmarkNode& link) const
{
    const QString path = std::exchange(link.Address, QString());
    try {
        QuietFileSystem::Head head = m_quiet.ReadHeadAndDetails(path, ShortcutFile::ReadLimit);
        SetTimes(link, head.Details);
        link.Address = ShortcutFile::ShortcutURL(std::move(head.Bytes));
    } catch (const FileSystemError&) {
        // Unreadable: the link still goes out, with the times its folder tells of it.
        try {
            SetTimes(link, m_fileSystem.Details(path));
        } catch (const FileSystemError&) {
            // gone since the folder was listed: no times either
        }
    }
}
