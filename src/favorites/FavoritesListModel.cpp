#include "favorites/FavoritesListModel.h"

#include "favorites/IconSet.h"
#include "favorites/SyncConflict.h"
#include "platform/FileSystemService.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <numeric>

FavoritesListModel::FavoritesListModel(const IconSet& icons, QObject* parent)
    : QAbstractTableModel(parent), m_icons(icons)
{
}

int FavoritesListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int FavoritesListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
}

QString FavoritesListModel::TimeText(std::int64_t time)
{
    if (time == ListRow::NoTime)
        return QString();
    return QLocale::c().toString(FsDetails::LocalTime(time),
                                 QStringLiteral("yyyy-MM-dd hh:mm:ss AP"));
}

QString FavoritesListModel::cellText(const ListRow& row, int column) const
{
    if (column == 0)
        return row.Text;
    if (row.TimeCount == 0)
        return row.SubItems.value(column - 1);
    const int time = column - 1;
    return time < row.TimeCount ? TimeText(row.Times.at(time)) : QString();
}

QVariant FavoritesListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ListRow& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(row, index.column());
    case Qt::ToolTipRole:
        if (index.column() != 0)
            return {};
        if (const QString original = conflictOf(row); !original.isEmpty())
            return row.Text + QStringLiteral("\nA copy a sync tool made in a conflict with ") +
                   original;
        return row.Text;
    case Qt::DecorationRole:
        if (index.column() != 0)
            return {};
        if (!conflictOf(row).isEmpty())
            return m_icons.Icon(QStringLiteral("Conflict"));
        return m_icons.Icon(row.Tag.startsWith(u'*') ? QStringLiteral("Closed")
                                                     : QStringLiteral("URL"));
    case Qt::ForegroundRole:
        return m_foreground.isValid() ? QVariant(m_foreground) : QVariant();
    case KeyRole:
        return row.Key;
    case TagRole:
        return row.Tag;
    default:
        return {};
    }
}

QString FavoritesListModel::conflictOf(const ListRow& row)
{
    if (row.Tag.startsWith(u'*'))
        return {};
    return SyncConflict::OriginalName(FileSystemService::GetFileName(row.Tag));
}

bool FavoritesListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::EditRole)
        return false;
    m_rows[index.row()].Text = value.toString();
    Q_EMIT dataChanged(index, index);
    return true;
}

QVariant FavoritesListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_captions.size())
        return m_captions.at(section);
    return {};
}

Qt::ItemFlags FavoritesListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
    if (index.column() == 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

void FavoritesListModel::Clear()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void FavoritesListModel::SetColumns(const QStringList& captions)
{
    beginResetModel();
    m_captions = captions;
    endResetModel();
}

void FavoritesListModel::AddColumn(const QString& caption)
{
    const int column = static_cast<int>(m_captions.size());
    beginInsertColumns({}, column, column);
    m_captions.append(caption);
    endInsertColumns();
}

bool FavoritesListModel::less(const ListRow& a, const ListRow& b, int column) const
{
    if (column == 0) {
        if (a.SortsFirst != b.SortsFirst)
            return a.SortsFirst;
        return FileSystemService::LessByName(a.Text, b.Text);
    }
    if (a.TimeCount == 0 || b.TimeCount == 0)
        return FileSystemService::LessByName(a.SubItems.value(column - 1),
                                             b.SubItems.value(column - 1));
    const auto time = [column](const ListRow& row) {
        return column - 1 < row.TimeCount ? row.Times.at(column - 1) : ListRow::NoTime;
    };
    return time(a) < time(b);
}

std::vector<int> FavoritesListModel::sortedOrder(const QList<ListRow>& rows, int column,
                                                 Qt::SortOrder order) const
{
    // Sorting positions and moving each row once is far cheaper than moving rows about.
    std::vector<int> permutation(static_cast<size_t>(rows.size()));
    std::iota(permutation.begin(), permutation.end(), 0);
    std::stable_sort(permutation.begin(), permutation.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? less(rows.at(a), rows.at(b), column)
                                           : less(rows.at(b), rows.at(a), column);
    });
    return permutation;
}

void FavoritesListModel::putInOrder(QList<ListRow>& rows, const std::vector<int>& permutation)
{
    // Row i takes the row at permutation[i], one cycle at a time, without a second list.
    std::vector<bool> placed(permutation.size());
    for (size_t start = 0; start < permutation.size(); ++start) {
        if (placed[start])
            continue;
        ListRow held = std::move(rows[static_cast<qsizetype>(start)]);
        size_t at = start;
        for (;;) {
            placed[at] = true;
            const auto from = static_cast<size_t>(permutation[at]);
            if (from == start)
                break;
            rows[static_cast<qsizetype>(at)] = std::move(rows[static_cast<qsizetype>(from)]);
            at = from;
        }
        rows[static_cast<qsizetype>(at)] = std::move(held);
    }
}

void FavoritesListModel::AddRows(QList<ListRow> rows, bool sorted, int column, Qt::SortOrder order)
{
    if (rows.isEmpty())
        return;
    // Into an empty list the new rows are ordered before anyone sees them.
    if (m_rows.isEmpty()) {
        if (sorted)
            putInOrder(rows, sortedOrder(rows, column, order));
        beginInsertRows({}, 0, static_cast<int>(rows.size()) - 1);
        m_rows = std::move(rows);
        endInsertRows();
        return;
    }
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    m_rows.append(std::move(rows));
    endInsertRows();
    if (sorted)
        SortRows(column, order);
}

void FavoritesListModel::SortRows(int column, Qt::SortOrder order)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> permutation = sortedOrder(m_rows, column, order);
    putInOrder(m_rows, permutation);
    std::vector<int> newRowOf(permutation.size());
    for (size_t i = 0; i < permutation.size(); ++i)
        newRowOf[static_cast<size_t>(permutation[i])] = static_cast<int>(i);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(this->index(newRowOf[static_cast<size_t>(index.row())], index.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void FavoritesListModel::RemoveTags(const QStringList& tags)
{
    for (int row = static_cast<int>(m_rows.size()) - 1; row >= 0; --row) {
        if (!tags.contains(m_rows.at(row).Tag))
            continue;
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    }
}

void FavoritesListModel::SetForeground(const QColor& color)
{
    m_foreground = color;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::ForegroundRole});
}
