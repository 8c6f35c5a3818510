#include "favorites/FavoritesTreeWidget.h"

#include "favorites/FavoritesDrag.h"
#include "favorites/ReadableNameDelegate.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

FavoritesTreeWidget::FavoritesTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setItemDelegate(new ReadableNameDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
}

QTreeWidgetItem* FavoritesTreeWidget::NodeAt(const QPoint& pos) const
{
    QTreeWidgetItem* node = itemAt(pos);
    if (!node)
        return nullptr;
    // The expander left of the label is not the node.
    if (pos.x() < visualItemRect(node).left())
        return nullptr;
    return node;
}

void FavoritesTreeWidget::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    Q_EMIT touched();
}

void FavoritesTreeWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        Q_EMIT deletePressed(event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FavoritesTreeWidget::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT touched();
    QTreeWidget::mousePressEvent(event);
}

void FavoritesTreeWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    const QPoint pos = event->position().toPoint();
    Q_EMIT nodeReleased(NodeAt(pos), event->button(), event->modifiers(), pos);
}

void FavoritesTreeWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only a second press: the release that follows does the work.
    QTreeWidget::mousePressEvent(event);
}

void FavoritesTreeWidget::startDrag(Qt::DropActions)
{
    const int effects = startDragHook ? startDragHook() : 0;
    if (effects == 0)
        return;
    FavoritesDrag::Run(this, effects);
    if (dragEndHook)
        dragEndHook();
}

bool FavoritesTreeWidget::takesLinks(const QMimeData* data, const QPoint& pos, bool drop)
{
    if (data->hasFormat(QString::fromLatin1(FavoritesDrag::MimeType)) || !linksHook)
        return false;
    QTreeWidgetItem* node = NodeAt(pos);
    return node && linksHook(node, *data, drop);
}

void FavoritesTreeWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(FavoritesDrag::MimeType)) ||
        (linksHook && linksHook(nullptr, *event->mimeData(), false)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void FavoritesTreeWidget::dragMoveEvent(QDragMoveEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!event->mimeData()->hasFormat(QString::fromLatin1(FavoritesDrag::MimeType))) {
        event->setDropAction(Qt::CopyAction);
        event->setAccepted(takesLinks(event->mimeData(), pos, false));
        setDropTarget(event->isAccepted() ? NodeAt(pos) : nullptr);
        return;
    }
    const int effect = dragOverHook ? dragOverHook(NodeAt(pos), event->modifiers()) : 0;
    setDropTarget(effect == 0 ? nullptr : NodeAt(pos));
    if (effect == 0) {
        event->ignore();
        return;
    }
    event->setDropAction(effect == 1 ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void FavoritesTreeWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    setDropTarget(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

void FavoritesTreeWidget::setDropTarget(QTreeWidgetItem* node)
{
    if (node == m_dropTarget)
        return;
    m_dropTarget = node;
    viewport()->update();
}

void FavoritesTreeWidget::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    if (m_dropTarget && itemFromIndex(index) == m_dropTarget)
        row.state |= QStyle::State_Selected;
    QTreeWidget::drawRow(painter, row, index);
}

void FavoritesTreeWidget::dropEvent(QDropEvent* event)
{
    setDropTarget(nullptr);
    if (!event->mimeData()->hasFormat(QString::fromLatin1(FavoritesDrag::MimeType))) {
        event->setDropAction(Qt::CopyAction);
        event->setAccepted(takesLinks(event->mimeData(), event->position().toPoint(), true));
        return;
    }
    event->setDropAction(Qt::IgnoreAction); // the files are moved by us, not the model
    event->accept();
    if (dropHook)
        dropHook(event->modifiers());
}

void FavoritesTreeWidget::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    Q_EMIT editorClosed();
}
