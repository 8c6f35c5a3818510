#include "favorites/FolderTree.h"

#include "favorites/FavoritesTree.h"
#include "favorites/FolderWalk.h"
#include "platform/FileSystemService.h"

#include <QTreeWidgetItem>

namespace FolderTree {

bool BuildFolderTree(FavoritesTree& tree, const QString& parentKey,
                     const FileSystemService& fileSystem, const QString& folderPath)
{
    QTreeWidgetItem* top = tree.Node(parentKey);
    if (!top)
        return true;
    FolderWalk::Walk(fileSystem, folderPath, top,
                     [&tree](const FsItem& folder, QTreeWidgetItem* parent, bool) {
                         return tree.AddFolderNode(parent, folder.Name, folder.Path);
                     });
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

QString FolderColumn(const QString& favoritesRoot, const QString& itemPath)
{
    const QString below = itemPath.mid(favoritesRoot.size());
    return below.left(below.lastIndexOf(u'/') + 1);
}

} // namespace FolderTree
