#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

class IconSet;

// One row of the link list: plain data, formatted only when painted.
struct ListRow
{
    static constexpr std::int64_t NoTime = INT64_MIN;

    QString Key;
    QString Text;
    // The link file's path, or "*" and the folder's path; it also tells the row's picture,
    // so rows carry no picture name of their own.
    QString Tag;
    // Text columns after the name. Rows of one folder share one list, so a row costs no
    // allocation of its own for them.
    QStringList SubItems;
    // Time columns after the name instead, in milliseconds since the epoch.
    std::array<std::int64_t, 3> Times{NoTime, NoTime, NoTime};
    int TimeCount = 0;
    // Folder entries among links: first by name, as folders have always been listed.
    bool SortsFirst = false;
};

// The link list's rows. Text columns sort by name without regard to case, time columns
// by the time itself; the model keeps its rows in the order shown.
class FavoritesListModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role
    {
        KeyRole = Qt::UserRole,
        TagRole
    };

    explicit FavoritesListModel(const IconSet& icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const ListRow& At(int row) const { return m_rows.at(row); }
    void Clear();
    void SetColumns(const QStringList& captions);
    void AddColumn(const QString& caption);
    // Rows come in sorted by column when sorted is set.
    void AddRows(QList<ListRow> rows, bool sorted, int column, Qt::SortOrder order);
    void SortRows(int column, Qt::SortOrder order);
    void RemoveTags(const QStringList& tags);
    void SetForeground(const QColor& color);

    static QString TimeText(std::int64_t time);

private:
    QString cellText(const ListRow& row, int column) const;
    // For a link that is a sync engine's conflict copy, the name of the file beside it.
    static QString conflictOf(const ListRow& row);
    bool less(const ListRow& a, const ListRow& b, int column) const;
    std::vector<int> sortedOrder(const QList<ListRow>& rows, int column, Qt::SortOrder order) const;
    static void putInOrder(QList<ListRow>& rows, const std::vector<int>& permutation);

    const IconSet& m_icons;
    QList<ListRow> m_rows;
    QStringList m_captions;
    QColor m_foreground;
};
