#include "exchange/FolderReader.h"

#include "favorites/ShortcutFile.h"
#include "platform/PathCodec.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

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

FolderReader::FolderReader(const FileSystemService& fileSystem, ExchangeProgress* progress,
                           BatchHeadReader::Mode mode)
    : m_fileSystem(fileSystem), m_progress(progress), m_mode(mode)
{
}

bool FolderReader::Read(const QString& root, BookmarkTree& tree, QString& error)
{
    m_seen.clear();
    m_flattened = 0;
    try {
        m_fileSystem.Listing(root);
        m_seen.insert(m_fileSystem.Identity(root));
    } catch (const FileSystemError& failure) {
        error = failure.Description() + QStringLiteral(": ") + root;
        return false;
    }
    m_tasks = {{root, &tree.Root, 0}};
    // Opening and reading each small file is the cost here, and it waits on the kernel.
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1U, 4U);
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(&FolderReader::work, this);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    m_tasks.clear();
    tree.Flattened += m_flattened;
    return true;
}

void FolderReader::work()
{
    BatchHeadReader reader(m_mode);
    std::unique_lock lock(m_lock);
    for (;;) {
        // Done when no folder is waiting and none is being read that could add one.
        m_changed.wait(lock, [this] { return !m_tasks.empty() || m_busy == 0 || cancelled(); });
        if (m_tasks.empty() || cancelled())
            return;
        Task task = std::move(m_tasks.back());
        m_tasks.pop_back();
        ++m_busy;
        lock.unlock();
        std::vector<Task> next = visit(task, reader);
        lock.lock();
        --m_busy;
        std::move(next.begin(), next.end(), std::back_inserter(m_tasks));
        m_changed.notify_all();
    }
}

std::vector<FolderReader::Task> FolderReader::visit(const Task& task, BatchHeadReader& reader)
{
    std::vector<Subfolder> subfolders;
    readFolder(task.Path, *task.Node, task.Depth, subfolders, reader);
    // The node's children are all in place now, so pointers to them stay good.
    std::vector<Task> next;
    next.reserve(subfolders.size());
    for (Subfolder& subfolder : subfolders)
        next.push_back(
            {std::move(subfolder.Path), &task.Node->Children[subfolder.Index], task.Depth + 1});
    return next;
}

void FolderReader::readFolder(const QString& path, BookmarkNode& node, int depth,
                              std::vector<Subfolder>& subfolders, BatchHeadReader& reader)
{
    FolderListing listing;
    try {
        listing = m_fileSystem.Listing(path);
    } catch (const FileSystemError&) {
        return; // an unreadable folder exports as an empty one
    }
    node.Children.reserve(node.Children.size() + listing.SubFolders.size() + listing.Files.size());
    for (const FsItem& folder : listing.SubFolders) {
        if (cancelled())
            return;
        // A link back up the tree would never end.
        if (IsHidden(folder.Name) || !firstVisit(folder.Id))
            continue;
        if (depth + 1 > BookmarkTree::MaxDepth) {
            {
                const std::lock_guard guard(m_lock);
                ++m_flattened;
            }
            readFolder(folder.Path, node, depth + 1, subfolders, reader);
            continue;
        }
        BookmarkNode& child = node.AddFolder(PathCodec::Readable(folder.Name));
        try {
            SetTimes(child, m_fileSystem.Details(folder.Path));
        } catch (const FileSystemError&) {
            // gone or refused: the folder goes out without times
        }
        subfolders.push_back({folder.Path, node.Children.size() - 1});
    }
    readLinks(path, listing.Files, node, reader);
}

void FolderReader::readLinks(const QString& folder, const QList<FsItem>& files, BookmarkNode& node,
                             BatchHeadReader& reader)
{
    std::vector<const FsItem*> links;
    std::vector<BatchHeadReader::Item> items;
    links.reserve(files.size());
    items.reserve(files.size());
    for (const FsItem& file : files) {
        if (IsHidden(file.Name) || !file.Name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
            continue;
        links.push_back(&file);
        items.push_back({PathCodec::Encode(file.Name), 0, {}});
    }
    if (links.empty())
        return;
    // The links are opened by name in their folder: a short lookup for the kernel.
    const int folderFd =
        ::open(PathCodec::Encode(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        // In parts, so a folder of many thousand links still shows progress and stops soon.
        constexpr std::size_t kPart = 500;
        for (std::size_t first = 0; first < items.size() && !cancelled(); first += kPart) {
            const std::size_t count = std::min(kPart, items.size() - first);
            reader.Read(folderFd, std::span(items).subspan(first, count), ShortcutFile::ReadLimit);
            if (m_progress)
                m_progress->Done.fetch_add(static_cast<int>(count), std::memory_order_relaxed);
        }
        ::close(folderFd);
    } else {
        const int error = errno;
        for (BatchHeadReader::Item& item : items)
            item.Error = error;
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        BookmarkNode& link =
            node.AddLink(PathCodec::Readable(FileSystemService::GetBaseName(links[i]->Name)), {});
        BatchHeadReader::Item& item = items[i];
        if (item.Error == 0) {
            SetTimes(link, item.Head.Details);
            link.Address = ShortcutFile::ShortcutURL(std::move(item.Head.Bytes));
            continue;
        }
        // Unreadable: the link still goes out, with the times its folder tells of it.
        try {
            SetTimes(link, m_fileSystem.Details(links[i]->Path));
        } catch (const FileSystemError&) {
            // gone since the folder was listed: no times either
        }
    }
}

bool FolderReader::firstVisit(const FolderId& id)
{
    const std::lock_guard guard(m_lock);
    if (m_seen.contains(id))
        return false;
    m_seen.insert(id);
    return true;
}

bool FolderReader::cancelled() const
{
    return m_progress && m_progress->Cancel.load(std::memory_order_relaxed);
}
