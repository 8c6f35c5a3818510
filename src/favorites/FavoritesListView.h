#pragma once

#include <QTreeView>

#include <functional>

class QMimeData;

// The link list's view: a report list without root decoration. It reports each release
// with the row under the pointer and each double click, so the main window can act as
// the list's mouse table says.
class FavoritesListView final : public QTreeView
{
    Q_OBJECT
public:
    explicit FavoritesListView(QWidget* parent = nullptr);

    // Drag and drop, answered by the main window: the effects a drag may have as it
    // starts (0: no drag), and the end of any drag.
    std::function<int()> startDragHook;
    std::function<void()> dragEndHook;
    // Links from other programs, dropped or pasted (Ctrl+V) on the list: can they go to
    // the folder it shows, or (drop) take them.
    std::function<bool(const QMimeData&, bool drop)> linksHook;

    // A name is being typed in place.
    bool IsEditing() const { return state() == EditingState; }

Q_SIGNALS:
    void touched();
    // item is the row's first column, invalid when the pointer is over no row.
    void itemReleased(const QModelIndex& item, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers, const QPoint& viewportPos);
    void doubleClicked();
    // Shift+Delete asks to delete for good, past the Trash.
    void deletePressed(bool forGood);
    // An in-place edit ended, however: Enter, Escape, focus elsewhere, a click on another row.
    void editorClosed();

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
