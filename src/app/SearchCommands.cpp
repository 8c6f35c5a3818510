#include "app/SearchCommands.h"

#include "core/clsOptions.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/PropertiesTarget.h"
#include "favorites/SearchCommand.h"
#include "favorites/SearchLinks.h"
#include "favorites/SearchResultsView.h"
#include "favorites/frmProperties.h"
#include "favorites/frmSearch.h"
#include "health/CheckCache.h"
#include "platform/Prompts.h"

#include <QTreeWidgetItem>

SearchCommands::SearchCommands(const Panes& panes, QWidget* statusBar, Registry& registry)
    : m_panes(panes), m_registry(registry),
      m_command(std::make_unique<SearchCommand>(panes.fileSystem, panes.prompts, panes.searchLinks,
                                                panes.status, statusBar))
{
    m_command->SetShowResults([this] {
        FavoritesViews& views = m_panes.views;
        // Switching the view rebuilds it; already there, rebuild it here.
        if (views.CurrentView() == FavoritesViews::SearchResults)
            views.RefreshView();
        else
            views.SelectView(FavoritesViews::SearchResults);
    });
}

SearchCommands::~SearchCommands() = default;

void SearchCommands::Search(const clsOptions& options)
{
    if (!m_frmSearch) {
        m_frmSearch = std::make_unique<frmSearch>(*m_command, m_registry, options.RootKey(),
                                                  options.RememberSearch(), m_panes.owner);
    }
    m_frmSearch->SetRememberSearch(options.RememberSearch());
    QTreeWidgetItem* node = m_panes.tree.SelectedItem();
    const FavoritesViews& views = m_panes.views;
    m_frmSearch->PrepareSearch(
        views.FavoritesRoot(), views.CurrentView() == FavoritesViews::Normal && node,
        FavoritesTree::Tag(node), FavoritesTree::Text(node), views.SelectionKey());
    m_panes.prompts.ShowModal(*m_frmSearch);
}

void SearchCommands::Properties(const QString& activePane)
{
    const QModelIndex item = m_panes.list.SelectedItem();
    QTreeWidgetItem* node = m_panes.tree.SelectedItem();
    const auto target = PropertiesTarget::For(
        activePane, item.isValid() ? std::optional(FavoritesList::Tag(item)) : std::nullopt,
        node ? std::optional(FavoritesTree::Tag(node)) : std::nullopt);
    if (target)
        frmProperties::ShowProperties(*target, m_panes.fileSystem, m_panes.prompts, m_panes.owner,
                                      [](const QString& address) {
                                          CheckCache cache;
                                          cache.Load();
                                          return cache.LastStatusText(address);
                                      });
}

void SearchCommands::BuildSearchResultsView()
{
    m_panes.searchLinks.DropMissing(m_panes.fileSystem);
    SearchResultsView::BuildSearchResultsView(
        m_panes.tree, m_panes.list, m_panes.status, m_panes.searchLinks.Items(),
        m_panes.views.FavoritesRoot(), m_command->LastSearchText());
}
