#include "favorites/FavoritesTreeWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>

FavoritesTreeWidget::FavoritesTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
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
        Q_EMIT deletePressed();
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
