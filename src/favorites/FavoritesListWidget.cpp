#include "favorites/FavoritesListWidget.h"

#include "favorites/FavoritesDrag.h"
#include "favorites/ReadableNameDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

FavoritesListWidget::FavoritesListWidget(QWidget* parent) : QTreeWidget(parent)
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

void FavoritesListWidget::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    Q_EMIT touched();
}

void FavoritesListWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        Q_EMIT deletePressed();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FavoritesListWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    Q_EMIT touched();
    const QPoint pos = event->position().toPoint();
    Q_EMIT itemReleased(itemAt(pos), event->button(), event->modifiers(), pos);
}

void FavoritesListWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    Q_EMIT doubleClicked();
}

void FavoritesListWidget::startDrag(Qt::DropActions)
{
    const int effects = startDragHook ? startDragHook() : 0;
    if (effects == 0)
        return;
    FavoritesDrag::Run(this, effects);
    if (dragEndHook)
        dragEndHook();
}
