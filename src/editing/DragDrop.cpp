#include "editing/DragDrop.h"

#include "editing/FileOperations.h"
#include "editing/PathUtils.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "platform/Clock.h"
#include "platform/FsStep.h"

#include <QCoreApplication>
#include <QTreeWidget>

DragDrop::DragDrop(const Panes& panes, const Clock& clock)
    : m_tree(panes.tree), m_list(panes.list), m_views(panes.views), m_fileSystem(panes.fileSystem),
      m_prompts(panes.prompts), m_searchLinks(panes.searchLinks), m_clock(clock),
      m_owner(panes.owner), m_links(panes)
{
    m_hoverTimer.setInterval(250);
    QObject::connect(&m_hoverTimer, &QTimer::timeout, [this] { checkHover(); });
}

int DragDrop::StartListDrag()
{
    const bool normal = m_views.CurrentView() == FavoritesViews::Normal;
    m_dragSource = normal ? QStringLiteral("L") : QString();
    return normal ? CopyOrMove : None;
}

int DragDrop::StartTreeDrag()
{
    QTreeWidgetItem* node = m_tree.SelectedItem();
    const bool allowed =
        node && m_views.CurrentView() == FavoritesViews::Normal && node != m_tree.Root();
    m_dragSource = allowed ? QStringLiteral("T") : QString();
    return allowed ? CopyOrMove : None;
}

int DragDrop::OverList(Qt::KeyboardModifiers keys) const
{
    return keys == Qt::ControlModifier ? Copy : Move;
}

int DragDrop::OverTree(QTreeWidgetItem* node, Qt::KeyboardModifiers keys)
{
    if (m_dragSource.isEmpty() || !node)
        return None;
    m_dropHighlight = node;
    const QString path = FavoritesTree::FullPath(node);
    if (path != m_hoverPath) {
        m_hoverPath = path;
        m_hoverStart = m_clock.Now();
    }
    m_hoverTimer.start();
    checkHover();
    return keys == Qt::ControlModifier ? Copy : Move;
}

void DragDrop::DropOnTree(Qt::KeyboardModifiers keys)
{
    if (m_dragSource == QLatin1String("L"))
        dropListEntries(keys);
    else if (m_dragSource == QLatin1String("T"))
        dropTreeFolder(keys);
}

void DragDrop::dropListEntries(Qt::KeyboardModifiers keys)
{
    QTreeWidgetItem* target = m_dropHighlight;
    if (!target)
        return;
    const QString destination = FavoritesTree::Tag(target);
    const bool move = !(keys & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    const FsStep step(m_fileSystem, move ? QStringLiteral("Move") : QStringLiteral("Copy"));
    for (const QModelIndex& entry : m_list.SelectedItems()) {
        const QString tag = FavoritesList::Tag(entry);
        const bool done =
            FavoritesList::IsFolder(entry)
                ? files.CopyMoveFolder(move, tag.mid(1), FavoritesList::Text(entry), destination)
                : files.CopyMoveFile(move, tag, destination);
        if (!done)
            return;
    }
    if (keys == Qt::ShiftModifier) {
        m_views.SetSelectionKey(destination);
    } else if (m_list.Count() > 0) {
        QString last = FavoritesList::Tag(m_list.Item(m_list.Count() - 1));
        if (last.startsWith(u'*'))
            last = last.mid(1);
        m_views.SetSelectionKey(SplitPath(last, true, false));
    }
    QCoreApplication::processEvents();
    m_views.RefreshView();
}

void DragDrop::dropTreeFolder(Qt::KeyboardModifiers keys)
{
    QTreeWidgetItem* source = m_tree.SelectedItem();
    if (!source || !m_dropHighlight)
        return;
    const bool copy = keys == Qt::ControlModifier;
    const QString sourcePath = FavoritesTree::Tag(source);
    const QString destination = FavoritesTree::Tag(m_dropHighlight);
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    const FsStep step(m_fileSystem, copy ? QStringLiteral("Copy") : QStringLiteral("Move"));
    if (!files.CopyMoveFolder(!copy, sourcePath, FavoritesTree::Text(source), destination))
        return;
    m_views.SetSelectionKey(copy ? sourcePath : destination);
    QCoreApplication::processEvents();
    m_views.RefreshView();
}

void DragDrop::checkHover()
{
    // Found again by its path: nothing is kept of a tree that may have been rebuilt.
    QTreeWidgetItem* node = m_tree.FindNodeByPath(m_hoverPath);
    if (node && m_hoverStart.msecsTo(m_clock.Now()) >= 3000 && !node->isExpanded())
        node->setExpanded(true);
}

void DragDrop::End()
{
    m_hoverTimer.stop();
    m_dropHighlight = nullptr;
    m_dragSource.clear();
    m_hoverPath.clear();
    m_hoverStart = QDateTime();
    m_tree.Widget()->setVisible(true);
}
