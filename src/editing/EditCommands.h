#pragma once

#include "favorites/Panes.h"

#include <QList>
#include <QString>

class FavoritesList;
class FavoritesTree;
class FavoritesViews;
class FileOperations;
class FileSystemService;
class Prompts;
class QTreeWidgetItem;
class QWidget;
class SearchLinks;

// The Edit commands of the main window: Copy To, Move To, Delete, Rename, New Folder and
// Copy Link. Each acts on the pane named by activePane ("L" the list, anything else the
// tree), asks through Prompts, changes the disk only through FileOperations, and then
// brings tree and list up to date.
class EditCommands
{
public:
    explicit EditCommands(const Panes& panes);

    void CopyTo(const QString& activePane);
    void MoveTo(const QString& activePane);
    // To the Trash, or for good with forGood (Shift+Delete, or the option to do without it).
    void Delete(const QString& activePane, bool forGood = false);
    void NewFolder(const QString& activePane);
    // Only the list holds links, so the tree pane does nothing here.
    void CopyLink(const QString& activePane = QStringLiteral("L"));
    // What ending a label edit with newName does: true when the item now has that name.
    // A false return means the edit is to be cancelled (the old name comes back).
    bool Rename(const QString& activePane, const QString& newName);

    // Selects, expands and lists the node whose tag is path; nothing when there is none.
    void SelectFolderNode(FavoritesTree& tree, const QString& path);

    // The node a tree command may act on: a folder node other than the view's root.
    static QTreeWidgetItem* FolderNode(const FavoritesTree& tree);

private:
    void copyOrMove(const QString& activePane, bool isMove);
    void copyOrMoveList(bool isMove);
    void copyOrMoveTree(bool isMove);
    void deleteListItems(bool forGood);
    void deleteTreeNode(bool forGood);
    bool renameTreeNode(const QString& newName);
    bool renameListItem(const QString& newName);
    // Rebuilds the view and selects the list entry tagged tag again.
    void refreshAndSelectEntry(const QString& tag);
    void warn(const QString& text);

    FavoritesTree& m_tree;
    FavoritesList& m_list;
    FavoritesViews& m_views;
    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    SearchLinks& m_searchLinks;
    QWidget* m_owner;
};
