#pragma once

#include <QString>

class FavoritesTree;
class FileSystemService;
class QTreeWidgetItem;

namespace FolderTree {

// Adds the folder hierarchy below folderPath under the node with parentKey, walking
// iteratively. A folder reached a second time (through a symbolic link) is shown but
// not walked into again; a folder that cannot be read is shown without children.
bool BuildFolderTree(FavoritesTree& tree, const QString& parentKey,
                     const FileSystemService& fileSystem, const QString& folderPath);

// After a click: the clicked node and every expanded node with children show "Open";
// every other node shows "Closed" and is collapsed.
void MarkOpenNode(FavoritesTree& tree, const QTreeWidgetItem* clicked);

// An item path as the status bar shows it: below the root, folders joined by " > ".
QString DisplayPath(const QString& favoritesRoot, const QString& path);

// The folder an item lies in, below the root, with a separator at each end
// ("/News/" for root/News/Daily.url, "/" for an item in the root itself).
QString FolderColumn(const QString& favoritesRoot, const QString& itemPath);

} // namespace FolderTree
