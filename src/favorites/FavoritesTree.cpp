#include "favorites/FavoritesTree.h"

#include "favorites/IconSet.h"
#include "platform/FileSystemService.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>

namespace {

enum Role
{
    KeyRole = Qt::UserRole,
    TagRole,
    ImageRole,
    ExpandedImageRole,
    SelectedImageRole,
    SortedRole,
    ShownImageRole,
};

const QString kSeparator = QStringLiteral("/");

} // namespace

FavoritesTree::FavoritesTree(QTreeWidget* widget, const IconSet& icons)
    : m_widget(widget), m_icons(icons)
{
    // Node texts show whole ("Last Accessed View"): the column is as wide as the widest
    // node shown, and a narrow pane scrolls sideways.
    widget->header()->setStretchLastSection(false);
    widget->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QObject::connect(widget, &QTreeWidget::itemExpanded, widget,
                     [this](QTreeWidgetItem* node) { UpdateIcon(node); });
    QObject::connect(widget, &QTreeWidget::itemCollapsed, widget, [this](QTreeWidgetItem* node) {
        // The root of a view never closes.
        if (Key(node) == QLatin1String("r"))
            node->setExpanded(true);
        UpdateIcon(node);
    });
    QObject::connect(widget, &QTreeWidget::currentItemChanged, widget,
                     [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                         if (previous)
                             UpdateIcon(previous);
                         if (current)
                             UpdateIcon(current);
                     });
}

void FavoritesTree::Clear()
{
    m_nodes.clear();
    m_byKey.clear();
    const QSignalBlocker quiet(m_widget);
    m_widget->clear();
}

void FavoritesTree::SetNodeColors(const QColor& fore, const QColor& back)
{
    m_fore = fore;
    m_back = back;
}

QTreeWidgetItem* FavoritesTree::makeNode(const QString& key, const QString& text,
                                         const QString& tag, const QString& image,
                                         const QString& expandedImage, const QString& selectedImage,
                                         bool sorted)
{
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, KeyRole, key);
    node->setData(0, TagRole, tag);
    node->setData(0, ImageRole, image);
    node->setData(0, ExpandedImageRole, expandedImage);
    node->setData(0, SelectedImageRole, selectedImage);
    node->setData(0, SortedRole, sorted);
    node->setForeground(0, m_fore);
    node->setBackground(0, m_back);
    node->setIcon(0, m_icons.Icon(image));
    node->setData(0, ShownImageRole, image);
    m_nodes.push_back(node);
    m_byKey.insert(key, node);
    return node;
}

QTreeWidgetItem* FavoritesTree::AddRoot(const QString& text, const QString& tag,
                                        const QString& image)
{
    QTreeWidgetItem* root = makeNode(QStringLiteral("r"), text, tag, image, image, image, true);
    m_widget->addTopLevelItem(root);
    return root;
}

QTreeWidgetItem* FavoritesTree::AddNode(QTreeWidgetItem* parent, const QString& text,
                                        const QString& tag, const QString& image,
                                        const QString& expandedImage, const QString& selectedImage,
                                        bool sorted)
{
    const QString key = QLatin1Char('K') + QString::number(Count() + 1);
    QTreeWidgetItem* node = makeNode(key, text, tag, image, expandedImage, selectedImage, sorted);
    insertChild(parent, node);
    return node;
}

QTreeWidgetItem* FavoritesTree::AddKeyedNode(QTreeWidgetItem* parent, const QString& key,
                                             const QString& text, const QString& tag,
                                             const QString& image, const QString& expandedImage,
                                             bool sorted)
{
    if (m_byKey.contains(key))
        return nullptr;
    QTreeWidgetItem* node = makeNode(key, text, tag, image, expandedImage, image, sorted);
    insertChild(parent, node);
    return node;
}

void FavoritesTree::insertChild(QTreeWidgetItem* parent, QTreeWidgetItem* node)
{
    if (!parent) {
        m_widget->addTopLevelItem(node);
        return;
    }
    const QString text = node->text(0);
    int position = parent->childCount();
    if (parent->data(0, SortedRole).toBool()) {
        // Children mostly arrive in order, so look at the end first.
        if (position > 0 &&
            FileSystemService::LessByName(text, parent->child(position - 1)->text(0))) {
            int low = 0;
            int high = position;
            while (low < high) {
                const int mid = (low + high) / 2;
                if (FileSystemService::LessByName(text, parent->child(mid)->text(0)))
                    high = mid;
                else
                    low = mid + 1;
            }
            position = low;
        }
    }
    parent->insertChild(position, node);
}

void FavoritesTree::ReverseChildren(QTreeWidgetItem* node)
{
    if (!node || node->childCount() < 2)
        return;
    QList<QTreeWidgetItem*> children = node->takeChildren();
    std::sort(children.begin(), children.end(),
              [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
                  return FileSystemService::LessByName(b->text(0), a->text(0));
              });
    node->setData(0, SortedRole, false);
    node->addChildren(children);
}

QTreeWidgetItem* FavoritesTree::AddFolderNode(QTreeWidgetItem* parent, const QString& name,
                                              const QString& path)
{
    return AddNode(parent, name, path, QStringLiteral("Closed"), QStringLiteral("Open"),
                   QStringLiteral("Open"), true);
}

QTreeWidgetItem* FavoritesTree::SelectedItem() const
{
    const auto selected = m_widget->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void FavoritesTree::Select(QTreeWidgetItem* node)
{
    m_widget->setCurrentItem(node);
    if (node)
        node->setSelected(true);
}

QString FavoritesTree::Key(const QTreeWidgetItem* node)
{
    return node ? node->data(0, KeyRole).toString() : QString();
}

QString FavoritesTree::Tag(const QTreeWidgetItem* node)
{
    return node ? node->data(0, TagRole).toString() : QString();
}

QString FavoritesTree::Text(const QTreeWidgetItem* node)
{
    return node ? node->text(0) : QString();
}

QString FavoritesTree::FullPath(const QTreeWidgetItem* node)
{
    QStringList parts;
    for (const QTreeWidgetItem* n = node; n; n = n->parent())
        parts.prepend(n->text(0));
    return parts.join(kSeparator);
}

bool FavoritesTree::IsExpanded(const QTreeWidgetItem* node)
{
    return node && node->isExpanded();
}

void FavoritesTree::SetExpanded(QTreeWidgetItem* node, bool expanded)
{
    if (node)
        node->setExpanded(expanded);
}

void FavoritesTree::SetImage(QTreeWidgetItem* node, const QString& image)
{
    if (node->data(0, ImageRole).toString() == image)
        return;
    node->setData(0, ImageRole, image);
    UpdateIcon(node);
}

QString FavoritesTree::Image(const QTreeWidgetItem* node) const
{
    return node->data(0, ImageRole).toString();
}

void FavoritesTree::UpdateIcon(QTreeWidgetItem* node) const
{
    Role role = ImageRole;
    if (node == m_widget->currentItem())
        role = SelectedImageRole;
    else if (node->isExpanded() && node->childCount() > 0)
        role = ExpandedImageRole;
    // Every change of an item repaints it; a large tree feels that on each click.
    const QString image = node->data(0, role).toString();
    if (node->data(0, ShownImageRole).toString() == image)
        return;
    node->setData(0, ShownImageRole, image);
    node->setIcon(0, m_icons.Icon(image));
}

QTreeWidgetItem* FavoritesTree::FindNodeByPath(const QString& path) const
{
    const auto found = std::find_if(m_nodes.begin(), m_nodes.end(),
                                    [&](const QTreeWidgetItem* n) { return FullPath(n) == path; });
    return found == m_nodes.end() ? nullptr : *found;
}

QTreeWidgetItem* FavoritesTree::FindNodeByTag(const QString& tag) const
{
    const auto found = std::find_if(m_nodes.begin(), m_nodes.end(),
                                    [&](const QTreeWidgetItem* n) { return Tag(n) == tag; });
    return found == m_nodes.end() ? nullptr : *found;
}

QTreeWidgetItem* FavoritesTree::FindNodeByText(const QString& text) const
{
    const auto found = std::find_if(m_nodes.begin(), m_nodes.end(),
                                    [&](const QTreeWidgetItem* n) { return n->text(0) == text; });
    return found == m_nodes.end() ? nullptr : *found;
}
