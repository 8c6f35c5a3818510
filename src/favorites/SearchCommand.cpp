#include "favorites/SearchCommand.h"

#include "core/AppInfo.h"
#include "favorites/SearchLinks.h"
#include "favorites/StatusPanels.h"
#include "platform/BusyCursor.h"
#include "platform/FileSystemService.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QEventLoop>
#include <QMutex>
#include <QThread>
#include <QTimer>
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
    QList<clsLink> found;
    {
        BusyCursor busy;
        // A start that is no folder of the Favorites finds nothing; it is never walked.
        if (parameters.LookIn != SearchParameters::Names &&
            FileSystemService::IsInside(parameters.Folder, favoritesRoot)) {
            searchInWorker(parameters, favoritesRoot, found);
        } else if (FileSystemService::IsInside(parameters.Folder, favoritesRoot)) {
            SearchFolder(m_fileSystem, parameters, found, [&](const QString& folderPath) {
                m_status.SetText(1, ProgressText(favoritesRoot, folderPath));
                // The search holds the event loop, so only an immediate paint shows progress.
                if (m_statusBar && m_statusBar->isVisible())
                    m_statusBar->repaint();
            });
        }
    }
    // A search that finds nothing keeps the results of the last one that did.
    if (found.isEmpty()) {
        m_prompts.Warn(owner, QStringLiteral("Search text is not found."), AppInfo::ProductName);
        return false;
    }
    m_results.Replace(std::move(found));
    m_lastSearchText = parameters.Text;
    if (m_showResults)
        m_showResults();
    return true;
}

void SearchCommand::searchInWorker(const SearchParameters& parameters, const QString& favoritesRoot,
                                   QList<clsLink>& found)
{
    QMutex mutex;
    QString folder = parameters.Folder;
    QThread* worker = QThread::create([&] {
        SearchFolder(
            m_fileSystem, parameters, found,
            [&](const QString& path) {
                QMutexLocker lock(&mutex);
                folder = path;
            },
            &m_addresses);
    });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &loop, [&] {
        QMutexLocker lock(&mutex);
        m_status.SetText(1, ProgressText(favoritesRoot, folder));
    });
    progress.start(100);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    delete worker;
}
