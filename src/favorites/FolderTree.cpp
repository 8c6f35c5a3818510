#include "favorites/FolderTree.h"

#include "favorites/FavoritesTree.h"
#include "platform/FileSystemService.h"

#include <QSet>
#include <QTreeWidgetItem>

#include <vector>

namespace {

struct Level
{
    QList<FsItem> subFolders;
    qsizetype index = 0;
    QTreeWidgetItem* parent = nullptr;
};

QList<FsItem> readableSubFolders(const FileSystemService& fileSystem, const QString& path)
{
    try {
        return fileSystem.SubFolders(path);
    } catch (const FileSystemError&) {
        return {};
    }
}

} // namespace

namespace FolderTree {

bool BuildFolderTree(FavoritesTree& tree, const QString& parentKey,
                     const FileSystemService& fileSystem, const QString& folderPath)
{
    QTreeWidgetItem* top = tree.Node(parentKey);
    if (folderPath.isEmpty() || !top)
        return true;

    QSet<FolderId> walked;
    try {
        walked.insert(fileSystem.Identity(folderPath));
    } catch (const FileSystemError&) {
        return true;
    }

    std::vector<Level> stack;
    stack.push_back({readableSubFolders(fileSystem, folderPath), 0, top});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.index >= level.subFolders.size()) {
            stack.pop_back();
            continue;
        }
        const FsItem folder = level.subFolders.at(level.index++);
        QTreeWidgetItem* node = tree.AddFolderNode(level.parent, folder.Name, folder.Path);
        if (walked.contains(folder.Id))
            continue; // a link back into the tree: shown, never walked twice
        walked.insert(folder.Id);
        stack.push_back({readableSubFolders(fileSystem, folder.Path), 0, node});
    }
    return true;
}

void MarkOpenNode(FavoritesTree& tree, const QTreeWidgetItem* clicked)
{
    const QString clickedKey = FavoritesTree::Key(clicked);
    for (QTreeWidgetItem* node : tree.Nodes()) {
        if (FavoritesTree::Key(node) == clickedKey ||
            (node->childCount() > 0 && node->isExpanded())) {
            tree.SetImage(node, QStringLiteral("Open"));
        } else {
            tree.SetImage(node, QStringLiteral("Closed"));
            node->setExpanded(false);
        }
    }
}

QString DisplayPath(const QString& favoritesRoot, const QString& path)
{
    QString shown = path.mid(favoritesRoot.size() + 1);
    shown.replace(QLatin1Char('/'), QStringLiteral(" > "));
    return shown;
}

} // namespace FolderTree
