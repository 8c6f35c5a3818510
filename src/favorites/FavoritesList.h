#pragma once

#include "favorites/FavoritesListModel.h"

#include <QModelIndexList>

class QTreeView;
class QTreeWidget;

// Keyed rows over the report list, with the list's sort state: SortKey (a column, from
// 0), SortOrder (0 ascending, 1 descending) and Sorted. An item is a row's index in the
// first column; an invalid index stands for no item.
class FavoritesList
{
public:
    FavoritesList(QTreeView* view, const IconSet& icons);
    // A tree widget keeps a model of its own.
    FavoritesList(QTreeWidget* widget, const IconSet& icons) = delete;

    QTreeView* Widget() const { return m_view; }
    FavoritesListModel& Model() { return m_model; }

    void Clear();
    void ClearColumns();
    // Widths are in pixels; callers work them out from the list's width.
    void AddColumn(const QString& caption, int width);
    int ListWidth() const;

    void AddRows(QList<ListRow> rows);
    int Count() const;
    QModelIndex Item(int index) const;
    // The current item when it is selected, else the first selected one.
    QModelIndex SelectedItem() const;
    // In the order shown.
    QModelIndexList SelectedItems() const;
    bool IsSelected(const QModelIndex& item) const;
    // Makes item the current and only selected one, scrolled into view.
    void SelectOnly(const QModelIndex& item);
    void SetText(const QModelIndex& item, const QString& text);
    void RemoveTags(const QStringList& tags) { m_model.RemoveTags(tags); }
    void SetForeground(const QColor& color) { m_model.SetForeground(color); }

    static QString Key(const QModelIndex& item);
    static QString Tag(const QModelIndex& item);
    static QString Text(const QModelIndex& item);
    static bool IsFolder(const QModelIndex& item) { return Tag(item).startsWith(u'*'); }

    int SortKey() const { return m_sortKey; }
    int SortOrder() const { return m_sortOrder; }
    bool Sorted() const { return m_sorted; }
    void SetSort(int sortKey, int sortOrder, bool sorted);
    // A header click: the sort column again flips the order; another column sorts
    // ascending by it.
    void ColumnClicked(int column);

private:
    Qt::SortOrder order() const
    {
        return m_sortOrder == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    }
    void showSortIndicator();

    QTreeView* m_view;
    FavoritesListModel m_model;
    int m_sortKey = 0;
    int m_sortOrder = 0;
    bool m_sorted = false;
};
