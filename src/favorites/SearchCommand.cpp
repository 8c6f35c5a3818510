#include "favorites/SearchCommand.h"

#include "core/AppInfo.h"
#include "favorites/SearchLinks.h"
#include "favorites/StatusPanels.h"
#include "platform/BusyCursor.h"
#include "platform/FileSystemService.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QWidget>

#include <utility>

SearchCommand::SearchCommand(const FileSystemService& fileSystem, Prompts& prompts,
                             SearchLinks& results, StatusPanels& status, QWidget* statusBar)
    : m_fileSystem(fileSystem), m_prompts(prompts), m_results(results), m_status(status),
      m_statusBar(statusBar)
{
}

QString SearchCommand::ProgressText(const QString& favoritesRoot, const QString& folderPath)
{
    const QString shown = SearchLinks::IsAtOrBelow(folderPath, favoritesRoot)
                              ? folderPath.mid(favoritesRoot.size())
                              : folderPath;
    return QStringLiteral("Searching '") + shown + u'\'';
}

bool SearchCommand::RunSearch(const SearchParameters& parameters, const QString& favoritesRoot,
                              QWidget* owner)
{
    {
        BusyCursor busy;
        QList<clsLink> found;
        // A start that is no folder of the Favorites finds nothing; it is never walked.
        if (FileSystemService::IsInside(parameters.Folder, favoritesRoot)) {
            SearchFolder(m_fileSystem, parameters, found, [&](const QString& folderPath) {
                m_status.SetText(1, ProgressText(favoritesRoot, folderPath));
                // The search holds the event loop, so only an immediate paint shows progress.
                if (m_statusBar && m_statusBar->isVisible())
                    m_statusBar->repaint();
            });
        }
        m_results.Replace(std::move(found));
    }
    if (m_results.Count() == 0) {
        m_prompts.Warn(owner, QStringLiteral("Search text is not found."), AppInfo::ProductName);
        return false;
    }
    m_lastSearchText = parameters.Text;
    if (m_showResults)
        m_showResults();
    return true;
}
