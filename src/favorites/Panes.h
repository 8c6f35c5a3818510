#pragma once

class FavoritesList;
class FavoritesTree;
class FavoritesViews;
class FileSystemService;
class Prompts;
class QWidget;
class SearchLinks;
class StatusPanels;

// The main window's tree and list with their views, and what every command on them
// uses: handed over as one.
struct Panes
{
    FavoritesTree& tree;
    FavoritesList& list;
    FavoritesViews& views;
    StatusPanels& status;
    const FileSystemService& fileSystem;
    Prompts& prompts;
    SearchLinks& searchLinks; // the last search's results, kept up to date by edits
    QWidget* owner;
};
