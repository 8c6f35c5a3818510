#pragma once

#include <QColor>
#include <QHash>
#include <QString>

#include <vector>

class IconSet;
class QTreeWidget;
class QTreeWidgetItem;

// Keyed nodes over the folder tree widget. The root's key is "r"; every other node's key
// is "K" and the number of nodes the tree held before it plus one. Nodes keep the order
// in which they were added ("node order"), a Tag, and three picture keys: Image,
// ExpandedImage and SelectedImage. A node marked Sorted keeps its children in name order.
// Full paths join node texts with "/".
class FavoritesTree
{
public:
    FavoritesTree(QTreeWidget* widget, const IconSet& icons);

    QTreeWidget* Widget() const { return m_widget; }

    void Clear();
    // Every node is created with these colours.
    void SetNodeColors(const QColor& fore, const QColor& back);
    QColor NodeForeColor() const { return m_fore; }
    QColor NodeBackColor() const { return m_back; }

    QTreeWidgetItem* AddRoot(const QString& text, const QString& tag, const QString& image);
    // A child with the given pictures; sorted into place when the parent is Sorted.
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, const QString& tag,
                             const QString& image, const QString& expandedImage,
                             const QString& selectedImage, bool sorted);
    // A child with a key of the caller's; none when a node has that key already.
    QTreeWidgetItem* AddKeyedNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                  const QString& tag, const QString& image,
                                  const QString& expandedImage, bool sorted);
    // A folder node: pictures "Closed"/"Open"/"Open", Sorted.
    QTreeWidgetItem* AddFolderNode(QTreeWidgetItem* parent, const QString& name,
                                   const QString& path);

    int Count() const { return static_cast<int>(m_nodes.size()); }
    const std::vector<QTreeWidgetItem*>& Nodes() const { return m_nodes; }
    QTreeWidgetItem* Node(const QString& key) const { return m_byKey.value(key); }
    QTreeWidgetItem* Root() const { return Node(QStringLiteral("r")); }
    QTreeWidgetItem* SelectedItem() const;
    void Select(QTreeWidgetItem* node);

    static QString Key(const QTreeWidgetItem* node);
    static QString Tag(const QTreeWidgetItem* node);
    static QString Text(const QTreeWidgetItem* node);
    static QString FullPath(const QTreeWidgetItem* node);
    static bool IsExpanded(const QTreeWidgetItem* node);
    static void SetExpanded(QTreeWidgetItem* node, bool expanded);

    void SetImage(QTreeWidgetItem* node, const QString& image);
    QString Image(const QTreeWidgetItem* node) const;
    // Puts a node's children in descending order of their text.
    void ReverseChildren(QTreeWidgetItem* node);
    // Shows the picture that fits the node's state: selected, expanded or plain.
    void UpdateIcon(QTreeWidgetItem* node) const;

    // The first node in node order whose full path, tag or text equals the argument
    // exactly; null when there is none.
    QTreeWidgetItem* FindNodeByPath(const QString& path) const;
    QTreeWidgetItem* FindNodeByTag(const QString& tag) const;
    QTreeWidgetItem* FindNodeByText(const QString& text) const;

private:
    void insertChild(QTreeWidgetItem* parent, QTreeWidgetItem* node);
    QTreeWidgetItem* makeNode(const QString& key, const QString& text, const QString& tag,
                              const QString& image, const QString& expandedImage,
                              const QString& selectedImage, bool sorted);

    QTreeWidget* m_widget;
    const IconSet& m_icons;
    QColor m_fore = Qt::black;
    QColor m_back = Qt::white;
    std::vector<QTreeWidgetItem*> m_nodes;
    QHash<QString, QTreeWidgetItem*> m_byKey;
};
