#pragma once

#include "editing/LinkDrop.h"
#include "favorites/Panes.h"

#include <QDateTime>
#include <QString>
#include <QTimer>

class Clock;
class FavoritesList;
class FavoritesTree;
class FavoritesViews;
class FileSystemService;
class Prompts;
class QTreeWidgetItem;
class QWidget;
class SearchLinks;

// Dragging list entries or a tree folder onto a folder of the tree in the Normal view:
// a move, or a copy with a modifier key. Only the tree takes drops; a folder the pointer
// rests on for three seconds opens.
class DragDrop
{
public:
    enum Effect
    {
        None = 0,
        Copy = 1,
        Move = 2,
        CopyOrMove = 3
    };

    DragDrop(const Panes& panes, const Clock& clock);

    // The effects a drag may have, as it starts.
    int StartListDrag();
    int StartTreeDrag();
    int OverList(Qt::KeyboardModifiers keys) const;
    // Also marks the node as the drop target and opens it after a rest.
    int OverTree(QTreeWidgetItem* node, Qt::KeyboardModifiers keys);
    void DropOnTree(Qt::KeyboardModifiers keys);
    // Any drag's end forgets the drag.
    void End();

    // Links dragged in from a browser, or pasted.
    LinkDrop& Links() { return m_links; }

    QString DragSource() const { return m_dragSource; }
    QTreeWidgetItem* DropHighlight() const { return m_dropHighlight; }

private:
    void dropListEntries(Qt::KeyboardModifiers keys);
    void dropTreeFolder(Qt::KeyboardModifiers keys);
    // Opens the folder under a resting pointer once it has rested long enough.
    void checkHover();

    FavoritesTree& m_tree;
    FavoritesList& m_list;
    FavoritesViews& m_views;
    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    SearchLinks& m_searchLinks;
    const Clock& m_clock;
    QWidget* m_owner;
    QString m_dragSource;
    QString m_hoverPath;
    QDateTime m_hoverStart;
    // Looks again while the pointer rests: a resting pointer sends no more events.
    QTimer m_hoverTimer;
    QTreeWidgetItem* m_dropHighlight = nullptr;
    LinkDrop m_links;
};
