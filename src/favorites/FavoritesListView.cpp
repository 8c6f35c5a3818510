#include "favorites/FavoritesListView.h"

#include "favorites/FavoritesDrag.h"
#include "favorites/ReadableNameDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

FavoritesListView::FavoritesListView(QWidget* parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemDelegate(new ReadableNameDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
}

void FavoritesListView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    Q_EMIT touched();
}

void FavoritesListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        Q_EMIT deletePressed(event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FavoritesListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    Q_EMIT touched();
    const QPoint pos = event->position().toPoint();
    Q_EMIT itemReleased(indexAt(pos).siblingAtColumn(0), event->button(), event->modifiers(), pos);
}

void FavoritesListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    Q_EMIT doubleClicked();
}

void FavoritesListView::startDrag(Qt::DropActions)
{
    const int effects = startDragHook ? startDragHook() : 0;
    if (effects == 0)
        return;
    FavoritesDrag::Run(this, effects);
    if (dragEndHook)
        dragEndHook();
}

void FavoritesListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeView::closeEditor(editor, hint);
    Q_EMIT editorClosed();
}
