#include "favorites/ExpansionMemory.h"

#include "favorites/FavoritesTree.h"

#include <QHash>
#include <QTreeWidgetItem>

void ExpansionMemory::SaveExpandedNodes(const FavoritesTree& tree, std::int16_t currentView)
{
    m_paths.clear();
    m_seen.clear();
    if (m_lastView != currentView) {
        m_lastView = currentView;
        return;
    }
    for (const QTreeWidgetItem* node : tree.Nodes()) {
        if (!node->isExpanded())
            continue;
        const QString path = FavoritesTree::FullPath(node);
        if (!m_seen.contains(path)) {
            m_seen.insert(path);
            m_paths.append(path);
        }
    }
}

void ExpansionMemory::RestoreExpandedNodes(FavoritesTree& tree) const
{
    if (m_paths.isEmpty())
        return;
    // One pass over the tree instead of a search per path; the first node of a path wins.
    QHash<QString, QTreeWidgetItem*> byPath;
    for (QTreeWidgetItem* node : tree.Nodes()) {
        const QString path = FavoritesTree::FullPath(node);
        if (!byPath.contains(path))
            byPath.insert(path, node);
    }
    for (const QString& path : m_paths)
        FavoritesTree::SetExpanded(byPath.value(path), true);
}
