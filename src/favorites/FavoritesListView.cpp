#include "favorites/FavoritesListView.h"

#include "favorites/FavoritesDrag.h"
#include "favorites/ReadableNameDelegate.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
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
    setAcceptDrops(true); // links from other programs only; see dragEnterEvent
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
    if (event->matches(QKeySequence::Paste) && linksHook) {
        if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
            linksHook(*data, true);
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

void FavoritesListView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void FavoritesListView::dragMoveEvent(QDragMoveEvent* event)
{
    // Our own entries are dropped on the tree, never here.
    const QMimeData* data = event->mimeData();
    event->setAccepted(!data->hasFormat(QString::fromLatin1(FavoritesDrag::MimeType)) &&
                       linksHook && linksHook(*data, false));
    if (event->isAccepted())
        event->setDropAction(Qt::CopyAction);
}

void FavoritesListView::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    const bool links = !data->hasFormat(QString::fromLatin1(FavoritesDrag::MimeType)) &&
                       linksHook && linksHook(*data, true);
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(links);
}
