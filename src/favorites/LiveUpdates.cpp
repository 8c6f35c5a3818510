#include "favorites/LiveUpdates.h"

#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/FolderWalk.h"
#include "favorites/SearchLinks.h"
#include "favorites/StatusPanels.h"

#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSet>
#include <QTreeView>
#include <QTreeWidget>

LiveUpdates::LiveUpdates(const Panes& panes, const Clock& clock, QObject* parent)
    : QObject(parent), m_panes(panes), m_watch(panes.fileSystem, clock)
{
    connect(&m_watch, &FolderWatch::changed, this, &LiveUpdates::Update);
    // A rebuild opens many folders at once: their watches are set once, after it.
    m_rewatch.setSingleShot(true);
    m_rewatch.setInterval(0);
    connect(&m_rewatch, &QTimer::timeout, this, &LiveUpdates::WatchShownFolders);
    QTreeWidget* tree = m_panes.tree.Widget();
    for (const auto signal : {&QTreeWidget::itemExpanded, &QTreeWidget::itemCollapsed})
        connect(tree, signal, &m_rewatch, qOverload<>(&QTimer::start));
}

void LiveUpdates::SetEnabled(bool enabled)
{
    m_watch.SetEnabled(enabled);
    WatchShownFolders();
}

void LiveUpdates::WatchShownFolders()
{
    const FavoritesViews& views = m_panes.views;
    const QString root = views.FavoritesRoot();
    const QString shown = views.SelectionKey();
    QStringList folders{root};
    switch (views.CurrentView()) {
    case FavoritesViews::SearchResults:
        // Where the results lie: a result deleted or renamed changes its folder.
        for (const clsLink& item : m_panes.searchLinks.Items())
            folders.append(FileSystemService::ParentFolder(item.Path()));
        break;
    case FavoritesViews::Normal:
        folders << shown << FileSystemService::ParentFolder(shown);
        for (const QTreeWidgetItem* node : m_panes.tree.Nodes()) {
            if (node->isExpanded())
                folders.append(FavoritesTree::Tag(node));
        }
        break;
    default:
        break;
    }
    // Group labels and days carry no folder; nothing outside the Favorites is watched.
    folders.removeIf([&](const QString& folder) {
        return !FileSystemService::IsInside(folder, root) ||
               !m_panes.fileSystem.FolderExists(folder);
    });
    // The whole tree's folders come from a walk just made: no need to look at each again
    // on every click.
    if (views.CurrentView() != FavoritesViews::Normal &&
        views.CurrentView() != FavoritesViews::SearchResults)
        folders += allFolders();
    m_watch.Watch(folders);
    if (m_watch.Polling())
        m_panes.status.SetText(3, FavoritesViews::ViewText(views.CurrentView()) +
                                      QStringLiteral(" - changes on disk are checked every few "
                                                     "seconds"));
}

QStringList LiveUpdates::allFolders()
{
    if (m_allFolders.isEmpty() && m_watch.Enabled()) {
        FolderWalk::Walk(m_panes.fileSystem, m_panes.views.FavoritesRoot(), 0,
                         [this](const FsItem& folder, int, bool first) {
                             if (first)
                                 m_allFolders.append(folder.Path);
                             return 0;
                         });
    }
    return m_allFolders;
}

void LiveUpdates::Update(const QStringList& changedFolders)
{
    FavoritesViews& views = m_panes.views;
    if (views.CurrentView() != FavoritesViews::Normal || foldersChanged(changedFolders)) {
        keepingPlace([this, &views] {
            views.RefreshView();
            ViewRebuilt();
        });
    } else if (changedFolders.contains(views.SelectionKey())) {
        keepingPlace([this, &views] { views.NodeClick(m_panes.tree.SelectedItem()); });
    }
    WatchShownFolders();
}

bool LiveUpdates::foldersChanged(const QStringList& changedFolders) const
{
    // The folder tree holds every folder: it stays as it is while each changed folder
    // still has exactly the subfolders its node has.
    for (const QString& folder : changedFolders) {
        const QTreeWidgetItem* node = m_panes.tree.FindNodeByTag(folder);
        if (!node)
            continue; // not in the tree, so not shown
        QSet<QString> children;
        for (int i = 0; i < node->childCount(); ++i)
            children.insert(FavoritesTree::Tag(node->child(i)));
        try {
            const QList<FsItem> subFolders = m_panes.fileSystem.SubFolders(folder);
            if (subFolders.size() != children.size())
                return true;
            for (const FsItem& subFolder : subFolders) {
                if (!children.contains(subFolder.Path))
                    return true;
            }
        } catch (const FileSystemError&) {
            return true;
        }
    }
    return false;
}

void LiveUpdates::keepingPlace(const std::function<void()>& update)
{
    // As a refresh by hand, and the list keeps its selected entries and both panes their
    // scroll positions, where those entries are still there.
    FavoritesList& list = m_panes.list;
    QSet<QString> selected;
    for (const QModelIndex& item : list.SelectedItems())
        selected.insert(FavoritesList::Tag(item));
    QScrollBar* listBar = list.Widget()->verticalScrollBar();
    QScrollBar* treeBar = m_panes.tree.Widget()->verticalScrollBar();
    const int listTop = listBar->value();
    const int treeTop = treeBar->value();
    update();
    for (int i = 0; i < list.Count(); ++i) {
        if (selected.contains(FavoritesList::Tag(list.Item(i))))
            list.Widget()->selectionModel()->select(list.Item(i), QItemSelectionModel::Select |
                                                                      QItemSelectionModel::Rows);
    }
    listBar->setValue(listTop);
    treeBar->setValue(treeTop);
}
