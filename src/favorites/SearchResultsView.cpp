#include "favorites/SearchResultsView.h"

#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/SearchLinks.h"
#include "favorites/StatusPanels.h"
#include "platform/FileSystemService.h"

#include <QTreeWidget>

#include <algorithm>

namespace SearchResultsView {

QString FolderColumn(const QString& favoritesRoot, const QString& itemPath)
{
    // Taken from the path's folder part: cutting the item's name out of the whole path
    // would also cut it out of a folder that happens to contain it.
    const QString folder = FileSystemService::ParentFolder(itemPath);
    QString below =
        SearchLinks::IsAtOrBelow(folder, favoritesRoot) ? folder.mid(favoritesRoot.size()) : folder;
    if (!below.startsWith(u'/'))
        below.prepend(u'/');
    if (!below.endsWith(u'/'))
        below.append(u'/');
    return below;
}

void BuildSearchResultsView(FavoritesTree& tree, FavoritesList& list, StatusPanels& status,
                            const QList<clsLink>& results, const QString& favoritesRoot,
                            const QString& lastSearchText)
{
    tree.Clear();
    tree.AddRoot(kRootText, QString(), QStringLiteral("Favorites"));
    tree.Widget()->setEnabled(false);

    list.ClearColumns();
    list.Clear();
    const int width = list.ListWidth();
    // Results of a search by address show what matched.
    const bool addresses = std::any_of(results.cbegin(), results.cend(), [](const clsLink& link) {
        return !link.Address().isEmpty();
    });
    list.AddColumn(QStringLiteral("Name"), width * (addresses ? 30 : 45) / 100);
    list.AddColumn(QStringLiteral("In Folder"), width * (addresses ? 30 : 55) / 100);
    if (addresses)
        list.AddColumn(QStringLiteral("Address"), width * 40 / 100);

    QList<ListRow> rows;
    rows.reserve(results.size());
    for (const clsLink& link : results) {
        const QString folder = FolderColumn(favoritesRoot, link.Path());
        if (link.IsFolder())
            rows.append({QString(), link.Title(), u'*' + link.Path(), {folder}});
        else
            rows.append({QString(), link.Title(), link.Path(),
                         addresses ? QStringList{folder, link.Address()} : QStringList{folder}});
    }
    list.AddRows(std::move(rows));

    status.SetText(1, lastSearchText.isEmpty()
                          ? QString()
                          : QStringLiteral("Search Results for '") + lastSearchText + u'\'');
    status.SetText(2, StatusPanels::ItemCountText(list.Count()));
}

} // namespace SearchResultsView
