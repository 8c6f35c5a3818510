#pragma once

#include <QSet>
#include <QStringList>

#include <cstdint>

class FavoritesTree;

// Keeps the tree's expanded folders across a rebuild of the same view; a change of
// view starts afresh.
class ExpansionMemory
{
public:
    void SaveExpandedNodes(const FavoritesTree& tree, std::int16_t currentView);
    void RestoreExpandedNodes(FavoritesTree& tree) const;

    std::int16_t LastView() const { return m_lastView; }
    void SetLastView(std::int16_t view) { m_lastView = view; }
    const QStringList& ExpandedPaths() const { return m_paths; }

private:
    std::int16_t m_lastView = 0;
    QStringList m_paths;
    QSet<QString> m_seen;
};
