#pragma once

#include "favorites/ExpansionMemory.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>

class FavoritesList;
class FavoritesTree;
class FileSystemService;
class Prompts;
class QComboBox;
class QTreeWidgetItem;
class QWidget;
class StatusPanels;

// Builds the views of the Favorites folder into the tree and the list: which view is
// shown (the hidden view selector's index), rebuilding it from the disk, and what a
// click on a tree node lists.
class FavoritesViews
{
public:
    enum View : std::int16_t
    {
        Normal = 0,
        PhoneBook,
        AddressBook,
        SingleList,
        LastAccessed,
        LastModified,
        DateCreated,
        SearchResults,
        ViewCount
    };
    static QString ViewText(int index);

    FavoritesViews(FavoritesTree& tree, FavoritesList& list, StatusPanels& status,
                   QComboBox& cboFormat, const FileSystemService& fileSystem, Prompts& prompts,
                   QWidget* owner);

    QString FavoritesRoot() const { return m_favoritesRoot; }
    const FileSystemService& FileSystem() const { return m_fileSystem; }
    void SetFavoritesRoot(const QString& root) { m_favoritesRoot = root; }
    QString SelectionKey() const { return m_selectionKey; }
    void SetSelectionKey(const QString& key) { m_selectionKey = key; }
    ExpansionMemory& Expansion() { return m_expansion; }
    std::int16_t CurrentView() const;

    // Records the view being left, selects the new one in the view selector and builds
    // it; the view shown already is left as it is.
    void SelectView(int index);
    void RefreshView();
    void BuildNormalView();
    void BuildPhoneBookView();
    void BuildAddressBookView();
    void BuildSingleListView();
    void BuildDateView(int view);
    void NodeClick(QTreeWidgetItem* node);
    void ReselectNode(QTreeWidgetItem* node);
    // Lists the folder's entries; when it cannot be listed, says why ("Permission denied").
    QString ListFolder(const QString& folderPath);
    void ShowItemCount();
    // The Normal view's column widths, filling width pixels: each date as wide as a date
    // needs (dateWidth), the name what they leave, but at least a fifth.
    static QList<int> NormalColumnWidths(int width, int dateWidth);
    // Fits the Normal view's columns to the list's width again, as long as the user has
    // not sized one; called when the list changes size.
    void FitNormalColumns();
    // The Search Results view is built by whoever holds the results.
    void SetSearchResultsBuilder(std::function<void()> build)
    {
        m_buildSearchResults = std::move(build);
    }

private:
    void buildGroupedView(int view);
    void addRoot(const QString& text, const QString& tag);
    int dateColumnWidth() const;

    FavoritesTree& m_tree;
    FavoritesList& m_list;
    StatusPanels& m_status;
    QComboBox& m_cboFormat;
    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    QWidget* m_owner;
    QString m_favoritesRoot;
    QString m_selectionKey;
    ExpansionMemory m_expansion;
    std::function<void()> m_buildSearchResults;
    bool m_columnsFitted = false;
    bool m_fitting = false;
};
