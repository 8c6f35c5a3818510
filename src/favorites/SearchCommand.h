#pragma once

#include "favorites/LinkAddressCache.h"
#include "favorites/SearchFolder.h"

#include <QString>

#include <functional>
#include <utility>

class FileSystemService;
class Prompts;
class QWidget;
class SearchLinks;
class StatusPanels;

// Runs one search for the search dialog: fills the program's search results, shows the
// progress in the status bar, and hands over to the results view when something was
// found. The results and the last search text outlive the dialog.
class SearchCommand
{
public:
    // statusBar, when given, is repainted after each progress text so it shows at once.
    SearchCommand(const FileSystemService& fileSystem, Prompts& prompts, SearchLinks& results,
                  StatusPanels& status, QWidget* statusBar = nullptr);

    // Called after a search that found something; the owner switches to the Search
    // Results view and rebuilds it.
    void SetShowResults(std::function<void()> showResults)
    {
        m_showResults = std::move(showResults);
    }

    // The text of the last search that found something; empty before the first one.
    QString LastSearchText() const { return m_lastSearchText; }

    // Replaces the results with a new search's and shows them. Nothing found: says so
    // (over owner) and returns false, keeping the results and the shown view.
    bool RunSearch(const SearchParameters& parameters, const QString& favoritesRoot,
                   QWidget* owner);

    // Panel 1 while a folder is searched: "Searching '/News/Daily'".
    static QString ProgressText(const QString& favoritesRoot, const QString& folderPath);

    LinkAddressCache& Addresses() { return m_addresses; }

private:
    // Reading every link's address takes a while: the walk runs in a worker thread while
    // the windows keep painting the progress (input waits till it is done).
    void searchInWorker(const SearchParameters& parameters, const QString& favoritesRoot,
                        QList<clsLink>& found);

    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    SearchLinks& m_results;
    StatusPanels& m_status;
    QWidget* m_statusBar;
    std::function<void()> m_showResults;
    QString m_lastSearchText;
    LinkAddressCache m_addresses;
};
