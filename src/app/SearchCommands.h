#pragma once

#include "favorites/Panes.h"

#include <QString>

#include <memory>

class clsOptions;
class frmSearch;
class QWidget;
class Registry;
class SearchCommand;

// Search and Properties for the main window: the search dialog, kept for the whole run,
// the results it leaves in the Search Results view, and the Properties dialog on the
// pane touched last.
class SearchCommands
{
public:
    // The search's progress shows in statusBar.
    SearchCommands(const Panes& panes, QWidget* statusBar, Registry& registry);
    ~SearchCommands();

    frmSearch* SearchDialog() const { return m_frmSearch.get(); }

    void Search(const clsOptions& options);
    void Properties(const QString& activePane);
    void BuildSearchResultsView();

private:
    Panes m_panes;
    Registry& m_registry;
    std::unique_ptr<SearchCommand> m_command;
    std::unique_ptr<frmSearch> m_frmSearch;
};
