#pragma once

#include "platform/FileSystemService.h"
#include "platform/Logging.h"

#include <QSet>

#include <vector>

namespace FolderWalk {

// Visits every folder below root, depth first, subfolders in the file system's order;
// the root itself is not visited. visit(folder, parentData, firstVisit) returns the data
// handed to the folder's own subfolders. A folder reached again through a symbolic link
// is visited with firstVisit false and not walked into; a folder that cannot be read
// counts as having no subfolders, and the walk goes on with its siblings.
template <typename Data, typename Visit>
void Walk(const FileSystemService& fileSystem, const QString& root, Data rootData, Visit visit)
{
    if (root.isEmpty())
        return;
    const auto subFolders = [&fileSystem](const QString& path) {
        try {
            return fileSystem.SubFolders(path);
        } catch (const FileSystemError& error) {
            qCInfo(lcFiles) << error.what();
            return QList<FsItem>();
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
    stack.push_back({subFolders(root), 0, rootData});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.index >= level.folders.size()) {
            stack.pop_back();
            continue;
        }
        const FsItem folder = level.folders.at(level.index++);
        const bool first = !walked.contains(folder.Id);
        Data data = visit(folder, level.data, first);
        if (!first)
            continue;
        walked.insert(folder.Id);
        stack.push_back({subFolders(folder.Path), 0, data});
    }
}

} // namespace FolderWalk
