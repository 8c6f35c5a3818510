#pragma once

#include "favorites/SearchLinks.h"

#include <QString>

#include <memory>

class clsOptions;
class FavoritesList;
class FavoritesTree;
class FavoritesViews;
class FileSystemService;
class frmSearch;
class Prompts;
class QWidget;
class Registry;
class SearchCommand;
class StatusPanels;

// Search and Properties for the main window: the search dialog, kept for the whole run,
// the results it leaves in the Search Results view, and the Properties dialog on the
// pane touched last.
class SearchCommands
{
public:
    struct Panes
    {
        FavoritesTree& tree;
        FavoritesList& list;
        StatusPanels& status;
        FavoritesViews& views;
        QWidget* statusBar;
    };

    SearchCommands(Panes panes, const FileSystemService& fileSystem, Prompts& prompts,
                   Registry& registry, QWidget* owner);
    ~SearchCommands();

    SearchLinks& Results() { return m_results; }
    frmSearch* SearchDialog() const { return m_frmSearch.get(); }

    void Search(const clsOptions& options);
    void Properties(const QString& activePane);
    void BuildSearchResultsView();

private:
    Panes m_panes;
    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    Registry& m_registry;
    QWidget* m_owner;
    SearchLinks m_results;
    std::unique_ptr<SearchCommand> m_command;
    std::unique_ptr<frmSearch> m_frmSearch;
};
