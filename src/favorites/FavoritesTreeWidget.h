#pragma once

#include <QTreeWidget>

#include <functional>

class QMimeData;

// The folder tree's widget. It reports presses and releases with the node under the
// pointer, so the main window can act as the tree's mouse table says; a double click has
// no action of its own.
class FavoritesTreeWidget final : public QTreeWidget
{
    Q_OBJECT
public:
    explicit FavoritesTreeWidget(QWidget* parent = nullptr);

    // The node whose label (not expander) is at pos, in viewport coordinates.
    QTreeWidgetItem* NodeAt(const QPoint& pos) const;
    // The folder a drop would now land in, drawn as selected while a drag is over it.
    QTreeWidgetItem* DropTarget() const { return m_dropTarget; }

    // Drag and drop, answered by the main window: the effects a drag may have as it
    // starts (0: no drag), and the end of any drag.
    std::function<int()> startDragHook;
    std::function<void()> dragEndHook;
    // The effect over a node (0: no drop there), and the drop itself.
    std::function<int(QTreeWidgetItem*, Qt::KeyboardModifiers)> dragOverHook;
    std::function<void(Qt::KeyboardModifiers)> dropHook;
    // Links from other programs over a node: can they go there, or (drop) take them.
    std::function<bool(QTreeWidgetItem*, const QMimeData&, bool drop)> linksHook;

    // A name is being typed in place.
    bool IsEditing() const { return state() == EditingState; }

Q_SIGNALS:
    void touched();
    void nodeReleased(QTreeWidgetItem* node, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers, const QPoint& viewportPos);
    // Shift+Delete asks to delete for good, past the Trash.
    void deletePressed(bool forGood);
    // An in-place edit ended, however: Enter, Escape, focus elsewhere, a click on another row.
    void editorClosed();

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool takesLinks(const QMimeData* data, const QPoint& pos, bool drop);
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setDropTarget(QTreeWidgetItem* node);

    QTreeWidgetItem* m_dropTarget = nullptr; // compared, never dereferenced
};
