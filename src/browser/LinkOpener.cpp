#include "browser/LinkOpener.h"

#include "browser/BrowserLauncher.h"
#include "browser/clsIEList.h"
#include "core/AppInfo.h"
#include "core/clsOptions.h"
#include "editing/EditCommands.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/SearchLinks.h"
#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"
#include "platform/Prompts.h"

#include <QFileInfo>
#include <QTreeWidget>

LinkOpener::LinkOpener(clsIEList& ieList, BrowserLauncher& launcher, const Panes& panes,
                       EditCommands& edit, const clsOptions& options, WindowHooks hooks)
    : m_ieList(ieList), m_launcher(launcher), m_prompts(panes.prompts), m_tree(panes.tree),
      m_list(panes.list), m_views(panes.views), m_searchLinks(panes.searchLinks), m_edit(edit),
      m_options(options), m_hooks(std::move(hooks)), m_owner(panes.owner)
{
}

void LinkOpener::OpenListItem(const QModelIndex& entry)
{
    if (!entry.isValid())
        return;
    const QString tag = FavoritesList::Tag(entry);
    if (FavoritesList::IsFolder(entry)) {
        if (forgetIfGone(tag))
            return;
        if (m_views.CurrentView() == FavoritesViews::SearchResults)
            m_hooks.selectView(FavoritesViews::Normal);
        m_edit.SelectFolderNode(m_tree, tag.mid(1));
        return;
    }
    m_list.SelectOnly(entry);
    OpenURLFile(tag, false);
}

bool LinkOpener::navigateTopWindow(const QString& address)
{
    if (m_ieList.fGetURLInfo(1, clsIEList::FieldhEdit).toULongLong() == 0) {
        m_prompts.MsgBox(m_owner,
                         QStringLiteral("Navigation requires the Internet Explorer\r\n"
                                        "Address Bar Toolbar to be turned on."),
                         Prompts::Buttons::Ok, Prompts::Icon::Exclamation, AppInfo::AppTitle);
        return false;
    }
    m_ieList.NavigateTo(1, address);
    BringToFront(m_ieList.Windows(), m_ieList.ItemhWnd(1));
    return true;
}

bool LinkOpener::forgetIfGone(const QString& tag)
{
    const bool isFolder = tag.startsWith(u'*');
    const QString path = isFolder ? tag.mid(1) : tag;
    if (SearchLinks::Exists(m_views.FileSystem(), path, isFolder))
        return false;
    m_prompts.Warn(m_owner,
                   u'\'' + FileSystemService::GetBaseName(path) +
                       QStringLiteral("' no longer exists."),
                   AppInfo::AppTitle);
    m_searchLinks.DropMissing(m_views.FileSystem());
    m_list.RemoveTags({tag});
    m_views.ShowItemCount();
    return true;
}

void LinkOpener::raiseBrowserWindow(const BrowserChoice::Target& browser)
{
    // Window classes begin as the programs are named: "firefox-esr", "Chromium",
    // "Google-chrome", "Brave-browser".
    const QString family = QFileInfo(browser.command.value(0)).fileName().section(u'-', 0, 0);
    WindowSystem* windows = m_ieList.Windows();
    if (family.isEmpty() || !windows)
        return;
    m_ieList.Refresh();
    // The list runs from the top window down.
    for (int i = 1; i <= m_ieList.Count(); ++i) {
        const WindowSystem::Handle window = m_ieList.ItemhWnd(i);
        if (m_ieList.IsRealBrowser(i) &&
            windows->ClassName(window).startsWith(family, Qt::CaseInsensitive)) {
            BringToFront(windows, window);
            return;
        }
    }
}

void LinkOpener::OpenURLFile(const QString& tag, bool newWindow)
{
    // A gone file would open an empty address.
    if (tag.startsWith(u'*') || forgetIfGone(tag))
        return;
    if (const BrowserChoice::Target browser = m_launcher.ChosenBrowser(); !browser.host) {
        const QString address = ShortcutFile::ReadShortcutURL(m_views.FileSystem(), tag);
        if (!m_launcher.OpenInBrowser(browser, address, newWindow))
            return;
        if (!newWindow)
            raiseBrowserWindow(browser);
    } else {
        m_ieList.Refresh(clsIEList::HostFramesOnly);
        if (newWindow || m_ieList.Count() == 0)
            m_launcher.LaunchBrowser(ShortcutFile::ReadShortcutURL(m_views.FileSystem(), tag));
        else if (!navigateTopWindow(ShortcutFile::ReadShortcutURL(m_views.FileSystem(), tag)))
            return;
    }

    if (m_options.AutoHide()) {
        if (m_options.SystemTray())
            m_hooks.hideToTray();
        else
            m_hooks.minimize();
    }
}

void LinkOpener::OpenSite(const QString& address)
{
    if (const BrowserChoice::Target browser = m_launcher.ChosenBrowser(); !browser.host) {
        m_launcher.OpenInBrowser(browser, address, false);
        return;
    }
    m_ieList.Refresh(clsIEList::HostFramesOnly);
    if (m_ieList.Count() > 0)
        navigateTopWindow(address);
    else
        m_launcher.LaunchBrowser(address);
}

void LinkOpener::OpenSelectedLink(bool newWindow)
{
    if (const QModelIndex entry = m_list.SelectedItem(); entry.isValid())
        OpenURLFile(FavoritesList::Tag(entry), newWindow);
}

void LinkOpener::Explore(const QString& activePane)
{
    const QString root = m_views.FavoritesRoot();
    if (activePane == QLatin1String("L")) {
        if (const QModelIndex entry = m_list.SelectedItem(); entry.isValid()) {
            QString item = FavoritesList::Tag(entry);
            if (item.startsWith(u'*')) // a folder entry: select the folder itself
                item.remove(0, 1);
            m_launcher.ExploreFolder(root, item);
        }
        return;
    }
    QTreeWidgetItem* node = m_tree.SelectedItem();
    m_launcher.ExploreFolder(root, node ? FavoritesTree::Tag(node) : QString());
}
