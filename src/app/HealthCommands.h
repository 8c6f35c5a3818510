#pragma once

#include "favorites/Panes.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class FileSystemService;
class FavoritesViews;
class Prompts;
class QWidget;
class SearchLinks;
class frmCheckLinks;
class frmConflicts;
class frmDuplicates;

// Tools > Check Links, Find Duplicates and Resolve Conflicts: one window of each at a time,
// over the folder chosen in the tree or the whole Favorites; Check Links also over the
// links selected in the list.
class HealthCommands
{
public:
    struct Hooks
    {
        std::function<QString()> chosenFolder; // the folder the commands look in
        // The links and folders selected in the list when it is the pane in use, else none.
        std::function<QStringList()> selectedItems;
        std::function<void()> refreshView;            // after files changed on disk
        std::function<void(const QString&)> openLink; // a link's path
        std::function<void(const QString&)> selectFolder;
        std::function<int()> skipDays;
        std::function<bool()> deleteForGood;
    };

    HealthCommands(const Panes& panes, Hooks hooks);

    void CheckLinks();
    void FindDuplicates();
    void ResolveConflicts();

private:
    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    SearchLinks& m_searchLinks;
    FavoritesViews& m_views;
    Hooks m_hooks;
    QWidget* m_owner;
    QPointer<frmCheckLinks> m_checkLinks;
    QPointer<frmDuplicates> m_duplicates;
    QPointer<frmConflicts> m_conflicts;
};
