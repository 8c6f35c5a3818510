#include "favorites/FavoritesList.h"

#include "favorites/IconSet.h"
#include "platform/FileSystemService.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

namespace {

enum Role { KeyRole = Qt::UserRole, TagRole };

class ListItem final : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return FileSystemService::LessByName(text(column), other.text(column));
    }
};

} // namespace

FavoritesList::FavoritesList(QTreeWidget* widget, const IconSet& icons)
    : m_widget(widget), m_icons(icons)
{
}

void FavoritesList::Clear()
{
    m_widget->clear();
}

void FavoritesList::ClearColumns()
{
    m_widget->setColumnCount(0);
    m_widget->setHeaderLabels({});
}

void FavoritesList::AddColumn(const QString& caption, int width)
{
    const int column = m_widget->columnCount();
    m_widget->setColumnCount(column + 1);
    m_widget->headerItem()->setText(column, caption);
    m_widget->setColumnWidth(column, width);
}

int FavoritesList::ListWidth() const
{
    return m_widget->width();
}

void FavoritesList::AddRows(const QList<ListRow>& rows)
{
    // Into an empty sorted list, order the rows first: comparing the rows' own texts is
    // far cheaper than sorting the widget's items, which copies both texts per comparison.
    const bool presort = m_sorted && Count() == 0;
    QList<const ListRow*> ordered;
    ordered.reserve(rows.size());
    for (const ListRow& row : rows)
        ordered.append(&row);
    if (presort) {
        const auto text = [this](const ListRow* row) -> const QString& {
            return m_sortKey == 0 ? row->Text : row->SubItems.at(m_sortKey - 1);
        };
        const bool inRange = std::all_of(ordered.cbegin(), ordered.cend(), [this](const ListRow* row) {
            return m_sortKey == 0 || m_sortKey - 1 < row->SubItems.size();
        });
        if (inRange) {
            std::stable_sort(ordered.begin(), ordered.end(), [&](const ListRow* a, const ListRow* b) {
                return m_sortOrder == 0 ? FileSystemService::LessByName(text(a), text(b))
                                        : FileSystemService::LessByName(text(b), text(a));
            });
        }
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const ListRow* rowPointer : ordered) {
        const ListRow& row = *rowPointer;
        auto* item = new ListItem(QStringList{row.Text} + row.SubItems);
        item->setData(0, KeyRole, row.Key);
        item->setData(0, TagRole, row.Tag);
        item->setIcon(0, m_icons.Icon(row.SmallIcon));
        item->setToolTip(0, row.Text);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        items.append(item);
    }
    m_widget->addTopLevelItems(items);
    if (presort)
        showSortIndicator();
    else if (m_sorted)
        applySort();
}

int FavoritesList::Count() const
{
    return m_widget->topLevelItemCount();
}

QTreeWidgetItem* FavoritesList::Item(int index) const
{
    return m_widget->topLevelItem(index);
}

QTreeWidgetItem* FavoritesList::SelectedItem() const
{
    const auto selected = m_widget->selectedItems();
    if (!selected.isEmpty())
        return selected.first();
    return nullptr;
}

QList<QTreeWidgetItem*> FavoritesList::SelectedItems() const
{
    return m_widget->selectedItems();
}

QString FavoritesList::Key(const QTreeWidgetItem* item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

QString FavoritesList::Tag(const QTreeWidgetItem* item)
{
    return item ? item->data(0, TagRole).toString() : QString();
}

QString FavoritesList::Text(const QTreeWidgetItem* item)
{
    return item ? item->text(0) : QString();
}

void FavoritesList::SetSort(int sortKey, int sortOrder, bool sorted)
{
    m_sortKey = sortKey;
    m_sortOrder = sortOrder;
    m_sorted = sorted;
    if (m_sorted)
        applySort();
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
    m_widget->header()->setSortIndicator(m_sortKey, m_sortOrder == 0 ? Qt::AscendingOrder
                                                                     : Qt::DescendingOrder);
    m_widget->header()->setSortIndicatorShown(true);
}

void FavoritesList::applySort()
{
    showSortIndicator();
    m_widget->sortItems(m_sortKey, m_sortOrder == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}
