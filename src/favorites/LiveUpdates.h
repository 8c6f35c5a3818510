#pragma once

#include "favorites/FolderWatch.h"
#include "favorites/Panes.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class Clock;

// Keeps the views in step with the disk. The folders shown are watched: in the folder
// tree the Favorites folder, the folder listed and its parent, and the open folders; in
// the views that gather links from the whole tree, every folder; in the search results,
// the folders the results lie in. A change in the folder
// tree's listed folder reads that folder again; a change in the folders themselves, or
// any change in the other views, rebuilds the view. Both keep the selection and the
// scroll positions where their entries are still there.
class LiveUpdates : public QObject
{
    Q_OBJECT

public:
    LiveUpdates(const Panes& panes, const Clock& clock, QObject* parent = nullptr);

    FolderWatch& Watch() { return m_watch; }
    void SetEnabled(bool enabled);
    // After the view was built anew: its folders are gathered again.
    void ViewRebuilt() { m_allFolders.clear(); }
    void WatchShownFolders();
    // Read again the folders that changed, as little as the view allows.
    void Update(const QStringList& changedFolders);

private:
    bool foldersChanged(const QStringList& changedFolders) const;
    void keepingPlace(const std::function<void()>& update);
    QStringList allFolders();

    Panes m_panes;
    FolderWatch m_watch;
    QTimer m_rewatch;
    QStringList m_allFolders;
};
