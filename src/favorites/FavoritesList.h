#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class IconSet;
class QTreeWidget;
class QTreeWidgetItem;

// One row of the link list before it is added.
struct ListRow
{
    QString Key;
    QString Text;
    QString SmallIcon; // "URL" or "Closed"
    QString Tag;       // the link file's path, or "*" and the folder's path
    QStringList SubItems;
};

// Keyed rows over the report list widget, with the list's sort state: SortKey (a column,
// from 0), SortOrder (0 ascending, 1 descending) and Sorted. Rows compare by the text of
// the sort column without regard to case.
class FavoritesList
{
public:
    FavoritesList(QTreeWidget* widget, const IconSet& icons);

    QTreeWidget* Widget() const { return m_widget; }

    void Clear();
    void ClearColumns();
    // Widths are in pixels; callers work them out from the list's width.
    void AddColumn(const QString& caption, int width);
    int ListWidth() const;

    void AddRows(const QList<ListRow>& rows);
    int Count() const;
    QTreeWidgetItem* Item(int index) const;
    QTreeWidgetItem* SelectedItem() const;
    QList<QTreeWidgetItem*> SelectedItems() const;

    static QString Key(const QTreeWidgetItem* item);
    static QString Tag(const QTreeWidgetItem* item);
    static QString Text(const QTreeWidgetItem* item);
    static bool IsFolder(const QTreeWidgetItem* item) { return Tag(item).startsWith(u'*'); }

    int SortKey() const { return m_sortKey; }
    int SortOrder() const { return m_sortOrder; }
    bool Sorted() const { return m_sorted; }
    void SetSort(int sortKey, int sortOrder, bool sorted);
    // A header click: the sort column again flips the order; another column sorts
    // ascending by it.
    void ColumnClicked(int column);

private:
    void applySort();
    void showSortIndicator();

    QTreeWidget* m_widget;
    const IconSet& m_icons;
    int m_sortKey = 0;
    int m_sortOrder = 0;
    bool m_sorted = false;
};
