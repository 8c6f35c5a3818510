#pragma once

#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListView.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/IconSet.h"
#include "favorites/StatusPanels.h"
#include "platform/FileSystemService.h"
#include "support/ScriptedPrompts.h"

#include <QComboBox>
#include <QStatusBar>
#include <QTreeWidget>

// The view objects wired as the main window wires them, without the window, over a
// Favorites folder given by path.
struct ViewPanes
{
    explicit ViewPanes(const QString& root);

    // "key=full path" of every node in node order.
    QStringList NodeTexts() const;
    QStringList ListTexts() const;
    // The text of one column of every row.
    QStringList ListColumn(int column) const;
    // Switches the view selector and rebuilds, as the View menu does.
    void Show(int view);

    IconSet icons = IconSet::Panes();
    QTreeWidget treeWidget;
    FavoritesListView listWidget;
    QStatusBar statusBar;
    QComboBox cboFormat;
    FileSystemService fileSystem;
    ScriptedPrompts prompts;
    FavoritesTree tree;
    FavoritesList list;
    StatusPanels status;
    FavoritesViews views;
};
