#pragma once

#include <QTreeWidget>

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

Q_SIGNALS:
    void touched();
    void nodeReleased(QTreeWidgetItem* node, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers, const QPoint& viewportPos);
    void deletePressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
