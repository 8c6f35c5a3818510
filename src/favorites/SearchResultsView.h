#pragma once

#include "favorites/clsLink.h"

#include <QList>
#include <QString>

class FavoritesList;
class FavoritesTree;
class StatusPanels;

namespace SearchResultsView {

inline const QString kRootText = QStringLiteral("Search Results");

// Shows the stored results as they are, without searching again: a disabled tree with
// only its root, and one list row per record in result order. The list's sort settings
// stay as the user left them.
void BuildSearchResultsView(FavoritesTree& tree, FavoritesList& list, StatusPanels& status,
                            const QList<clsLink>& results, const QString& favoritesRoot,
                            const QString& lastSearchText);

// The "In Folder" column: the folder holding the item, below the Favorites root, with a
// "/" at each end ("/News/Daily/", or "/" for the root itself).
QString FolderColumn(const QString& favoritesRoot, const QString& itemPath);

} // namespace SearchResultsView
