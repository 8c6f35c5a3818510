#include "favorites/FavoritesList.h"

#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

FavoritesList::FavoritesList(QTreeView* view, const IconSet& icons) : m_view(view), m_model(icons)
{
    m_view->setModel(&m_model);
}

void FavoritesList::Clear()
{
    m_model.Clear();
}

void FavoritesList::ClearColumns()
{
    m_model.SetColumns({});
}

void FavoritesList::AddColumn(const QString& caption, int width)
{
    m_model.AddColumn(caption);
    m_view->setColumnWidth(m_model.columnCount() - 1, width);
}

int FavoritesList::ListWidth() const
{
    return m_view->width();
}

void FavoritesList::AddRows(QList<ListRow> rows)
{
    m_model.AddRows(std::move(rows), m_sorted, m_sortKey, order());
    if (m_sorted)
        showSortIndicator();
}

int FavoritesList::Count() const
{
    return m_model.rowCount();
}

QModelIndex FavoritesList::Item(int index) const
{
    return m_model.index(index, 0);
}

QModelIndex FavoritesList::SelectedItem() const
{
    const QModelIndex current = m_view->currentIndex().siblingAtColumn(0);
    if (current.isValid() && IsSelected(current))
        return current;
    const QModelIndexList selected = SelectedItems();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

QModelIndexList FavoritesList::SelectedItems() const
{
    QModelIndexList rows = m_view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    return rows;
}

bool FavoritesList::IsSelected(const QModelIndex& item) const
{
    return item.isValid() && m_view->selectionModel()->isRowSelected(item.row(), {});
}

void FavoritesList::SelectOnly(const QModelIndex& item)
{
    if (!item.isValid())
        return;
    m_view->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    m_view->scrollTo(item);
}

void FavoritesList::SetText(const QModelIndex& item, const QString& text)
{
    m_model.setData(item, text, Qt::EditRole);
}

QString FavoritesList::Key(const QModelIndex& item)
{
    return item.siblingAtColumn(0).data(FavoritesListModel::KeyRole).toString();
}

QString FavoritesList::Tag(const QModelIndex& item)
{
    return item.siblingAtColumn(0).data(FavoritesListModel::TagRole).toString();
}

QString FavoritesList::Text(const QModelIndex& item)
{
    return item.siblingAtColumn(0).data(Qt::DisplayRole).toString();
}

void FavoritesList::SetSort(int sortKey, int sortOrder, bool sorted)
{
    m_sortKey = sortKey;
    m_sortOrder = sortOrder;
    m_sorted = sorted;
    if (m_sorted) {
        showSortIndicator();
        m_model.SortRows(m_sortKey, order());
    }
}

void FavoritesList::ColumnClicked(int column)
{
    if (column == m_sortKey)
        SetSort(column, m_sortOrder == 0 ? 1 : 0, true);
    else
        SetSort(column, 0, true);
}

void FavoritesList::showSortIndicator()
{
    m_view->header()->setSortIndicator(m_sortKey, order());
    m_view->header()->setSortIndicatorShown(true);
}
