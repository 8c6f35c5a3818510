#pragma once

#include "platform/FileSystemService.h"
#include "platform/Logging.h"

#include <QSet>

#include <type_traits>

#include <vector>

namespace FolderWalk {

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
        qsizetype index;
        Data data;
    };
    std::vector<Level> stack;
    stack.push_back({listing(root).SubFolders, 0, rootData});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.index >= level.folders.size()) {
            stack.pop_back();
            continue;
        }
        const FsItem folder = level.folders.at(level.index++);
        const bool first = !walked.contains(folder.Id);
        if (!first) {
            if constexpr (withFiles)
                visit(folder, level.data, false, FileList());
            else
                visit(folder, level.data, false);
            continue;
        }
        walked.insert(folder.Id);
        Listing entries = listing(folder.Path);
        Data data;
        if constexpr (withFiles)
            data = visit(folder, level.data, true, entries.Files);
        else
            data = visit(folder, level.data, true);
        stack.push_back({std::move(entries.SubFolders), 0, data});
    }
}

} // namespace FolderWalk
