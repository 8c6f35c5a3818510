#pragma once

#include "browser/BrowserChoice.h"
#include "favorites/Panes.h"

#include <QString>

#include <functional>

class BrowserLauncher;
class EditCommands;
class FavoritesList;
class FavoritesTree;
class FavoritesViews;
class Prompts;
class QModelIndex;
class QWidget;
class SearchLinks;
class clsIEList;
class clsOptions;

// Opens links in the browser window used last (by typing into its address bar) or in a
// new one, folder entries in the tree, and the Favorites in the folder window.
class LinkOpener
{
public:
    // What opening a link may do to the main window.
    struct WindowHooks
    {
        std::function<void(int view)> selectView;
        std::function<void()> hideToTray;
        std::function<void()> minimize;
    };

    LinkOpener(clsIEList& ieList, BrowserLauncher& launcher, const Panes& panes, EditCommands& edit,
               const clsOptions& options, WindowHooks hooks);

    void OpenListItem(const QModelIndex& entry);
    void OpenURLFile(const QString& tag, bool newWindow);
    void OpenSite(const QString& address);
    // Open Link / Open Link in New Window: the list's selected entry, if any.
    void OpenSelectedLink(bool newWindow);
    // The Explore command on the pane touched last.
    void Explore(const QString& activePane);

private:
    // Types the address into the top browser window; false after the address-bar message.
    bool navigateTopWindow(const QString& address);
    // An entry whose file or folder is gone is said so and taken off the list and the
    // search results; true then.
    bool forgetIfGone(const QString& tag);
    // Brings forward the chosen browser's window used last, where its running instance
    // shows the page.
    void raiseBrowserWindow(const BrowserChoice::Target& browser);

    clsIEList& m_ieList;
    BrowserLauncher& m_launcher;
    Prompts& m_prompts;
    FavoritesTree& m_tree;
    FavoritesList& m_list;
    FavoritesViews& m_views;
    SearchLinks& m_searchLinks;
    EditCommands& m_edit;
    const clsOptions& m_options;
    WindowHooks m_hooks;
    QWidget* m_owner;
};
