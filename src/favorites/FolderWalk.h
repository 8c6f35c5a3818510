#pragma once

#include "platform/FileSystemService.h"
#include "platform/Logging.h"

#include <QSet>

#include <functional>
#include <future>
#include <memory>
#include <type_traits>
#include <vector>

namespace FolderWalk {

// Runs task on the threads that list folders ahead of a walk. Nothing else runs on them,
// so a walk waiting for a listing never waits behind work that waits for it.
void StartListing(std::function<void()> task);

// Visits every folder below root, depth first, subfolders in the file system's order;
// the root itself is not visited. visit(folder, parentData, firstVisit) returns the data
// handed to the folder's own subfolders. A folder reached again through a symbolic link
// is visited with firstVisit false and not walked into; a folder that cannot be read
// counts as having no subfolders, and the walk goes on with its siblings.
// A visit that takes a fourth argument is handed the folder's files too (none on a
// second visit), read with its subfolders in one pass: by name only (QList<FsItem>) or
// with their dates (QList<FsEntry>).
template <typename Data, typename Visit>
void Walk(const FileSystemService& fileSystem, const QString& root, Data rootData, Visit visit)
{
    if (root.isEmpty())
        return;
    constexpr bool withDates =
        std::is_invocable_v<Visit, const FsItem&, Data, bool, const QList<FsEntry>&>;
    constexpr bool withFiles =
        withDates || std::is_invocable_v<Visit, const FsItem&, Data, bool, const QList<FsItem>&>;
    using FileList = std::conditional_t<withDates, QList<FsEntry>, QList<FsItem>>;
    struct Listing
    {
        QList<FsItem> SubFolders;
        FileList Files;
    };
    const auto listing = [&fileSystem](const QString& path) -> Listing {
        try {
            if constexpr (withDates) {
                FolderContents contents = fileSystem.Contents(path);
                QList<FsItem> folders;
                folders.reserve(contents.SubFolders.size());
                for (const FsEntry& folder : contents.SubFolders)
                    folders.append({folder.Name, folder.Path, folder.Id});
                return {std::move(folders), std::move(contents.Files)};
            } else if constexpr (withFiles) {
                FolderListing entries = fileSystem.Listing(path);
                return {std::move(entries.SubFolders), std::move(entries.Files)};
            } else {
                return {fileSystem.SubFolders(path), {}};
            }
        } catch (const FileSystemError& error) {
            qCInfo(lcFiles) << error.what();
            return {};
        }
    };
    QSet<FolderId> walked;
    try {
        walked.insert(fileSystem.Identity(root));
    } catch (const FileSystemError&) {
        return;
    }
    struct Level
    {
        QList<FsItem> folders;
        std::vector<std::future<Listing>> listings; // one for each folder, or none
        qsizetype index;
        Data data;
        // Listings still under way refer to the walk.
        void Settle()
        {
            for (std::future<Listing>& pending : listings)
                if (pending.valid())
                    pending.wait();
        }
    };
    // With dates, each folder's listing is asked for as soon as its parent's is known, on
    // other cores: a stat of every file is most of such a walk's time, and the visits,
    // which take the listings one at a time and in order, then seldom wait for them.
    // Names alone come faster than they could be handed over, so they are read in turn.
    const auto ahead = [&listing](const QList<FsItem>& folders) {
        std::vector<std::future<Listing>> listings;
        if constexpr (!withDates)
            return listings;
        listings.reserve(folders.size());
        for (const FsItem& folder : folders) {
            auto task = std::make_shared<std::packaged_task<Listing()>>(
                [&listing, path = folder.Path] { return listing(path); });
            listings.push_back(task->get_future());
            StartListing([task] { (*task)(); });
        }
        return listings;
    };
    // The walk waits for its listings on every way out.
    struct Stack : std::vector<Level>
    {
        ~Stack()
        {
            for (Level& level : *this)
                level.Settle();
        }
    } stack;
    QList<FsItem> top = listing(root).SubFolders;
    stack.push_back({top, ahead(top), 0, rootData});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.index >= level.folders.size()) {
            level.Settle(); // folders seen before were not walked into
            stack.pop_back();
            continue;
        }
        const qsizetype index = level.index++;
        const FsItem folder = level.folders.at(index);
        const bool first = !walked.contains(folder.Id);
        if (!first) {
            if constexpr (withFiles)
                visit(folder, level.data, false, FileList());
            else
                visit(folder, level.data, false);
            continue;
        }
        walked.insert(folder.Id);
        Listing entries =
            level.listings.empty() ? listing(folder.Path) : level.listings[index].get();
        Data data;
        if constexpr (withFiles)
            data = visit(folder, level.data, true, entries.Files);
        else
            data = visit(folder, level.data, true);
        std::vector<std::future<Listing>> listings = ahead(entries.SubFolders);
        stack.push_back({std::move(entries.SubFolders), std::move(listings), 0, data});
    }
}

} // namespace FolderWalk
