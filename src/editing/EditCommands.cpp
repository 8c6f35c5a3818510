#include "editing/EditCommands.h"

#include "core/AppInfo.h"
#include "editing/FileOperations.h"
#include "editing/PathUtils.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/FolderTree.h"
#include "favorites/SearchLinks.h"
#include "platform/FsStep.h"
#include "platform/Prompts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTreeWidget>

#include <algorithm>

namespace {

const QString kTreeDestinationTitle = QStringLiteral("Select a Destination Directory");
const QString kSameDirectory =
    QStringLiteral("Source and Destination directories cannot be the same.");

// Deleting is the one question where Enter must not say yes.
bool ConfirmDelete(Prompts& prompts, QWidget* owner, const QString& text)
{
    return prompts.MsgBox(owner, text, Prompts::Buttons::YesNo, Prompts::Icon::Exclamation,
                          AppInfo::ProductName, Prompts::Answer::No) == Prompts::Answer::Yes;
}

} // namespace

EditCommands::EditCommands(const Panes& panes)
    : m_tree(panes.tree), m_list(panes.list), m_views(panes.views), m_fileSystem(panes.fileSystem),
      m_prompts(panes.prompts), m_searchLinks(panes.searchLinks), m_owner(panes.owner)
{
}

QTreeWidgetItem* EditCommands::FolderNode(const FavoritesTree& tree)
{
    QTreeWidgetItem* node = tree.SelectedItem();
    // Group labels carry no tag, and the root stands for the whole Favorites folder.
    if (!node || node == tree.Root() || !node->parent() || FavoritesTree::Tag(node).isEmpty())
        return nullptr;
    return node;
}

void EditCommands::warn(const QString& text)
{
    m_prompts.Warn(m_owner, text, AppInfo::ProductName);
}

void EditCommands::SelectFolderNode(FavoritesTree& tree, const QString& path)
{
    QTreeWidgetItem* node = tree.FindNodeByTag(WithoutTrailingSlash(path));
    if (!node)
        return;
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        up->setExpanded(true);
    tree.Widget()->scrollToItem(node);
    tree.Select(node);
    node->setExpanded(true);
    FolderTree::MarkOpenNode(tree, node);
    m_views.NodeClick(node);
}

void EditCommands::CopyTo(const QString& activePane)
{
    copyOrMove(activePane, false);
}

void EditCommands::MoveTo(const QString& activePane)
{
    copyOrMove(activePane, true);
}

void EditCommands::copyOrMove(const QString& activePane, bool isMove)
{
    const FsStep step(m_fileSystem, isMove ? QStringLiteral("Move") : QStringLiteral("Copy"));
    if (activePane == QLatin1String("L"))
        copyOrMoveList(isMove);
    else
        copyOrMoveTree(isMove);
}

void EditCommands::copyOrMoveList(bool isMove)
{
    const QModelIndexList selected = m_list.SelectedItems();
    if (selected.isEmpty()) {
        warn(isMove ? QStringLiteral("Please select an item to move.")
                    : QStringLiteral("Please select an item to copy."));
        return;
    }
    const QString destination = WithoutTrailingSlash(m_prompts.BrowseForFolder(
        m_owner, isMove ? QStringLiteral("Move To Directory") : QStringLiteral("Copy To Directory"),
        m_views.FavoritesRoot()));
    if (destination.isEmpty())
        return;
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    // Gather first: the entries stay valid, but a walk over live items is easy to break.
    QList<FileOperations::ListEntry> entries;
    for (const QModelIndex& item : selected)
        entries.append({FavoritesList::Tag(item), FavoritesList::Text(item)});
    for (const FileOperations::ListEntry& entry : entries) {
        QString source = entry.Tag;
        source.remove(QLatin1Char('*'));
        const bool done = entry.Tag.startsWith(QLatin1Char('*'))
                              ? files.CopyMoveFolder(isMove, source, entry.Text, destination)
                              : files.CopyMoveFile(isMove, source, destination);
        if (!done)
            return;
    }
    m_views.RefreshView();
    SelectFolderNode(m_tree, destination);
}

void EditCommands::copyOrMoveTree(bool isMove)
{
    QTreeWidgetItem* node = FolderNode(m_tree);
    if (!node) {
        warn(isMove ? QStringLiteral("Please select a directory to move.")
                    : QStringLiteral("Please select a directory to copy."));
        return;
    }
    const QString source = FavoritesTree::Tag(node);
    const QString destination =
        WithoutTrailingSlash(m_prompts.BrowseForFolder(m_owner, kTreeDestinationTitle, source));
    if (destination.isEmpty())
        return;
    const QString target = AddBackslash(destination) + FavoritesTree::Text(node);
    if (target == source) {
        warn(kSameDirectory);
        return;
    }
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    if (!isMove) {
        if (files.CopyFolderTo(source, target))
            m_views.RefreshView();
        return;
    }
    if (!files.MoveFolderTo(source, target))
        return;
    m_searchLinks.UpdateLinkCache(source, target, FavoritesTree::Text(node), false,
                                  SearchLinks::Change::Move);
    // The shown folder may have gone along with the move.
    m_views.SetSelectionKey(SearchLinks::Rebase(m_views.SelectionKey(), source, target));
    m_views.RefreshView();
    SelectFolderNode(m_tree, target);
}

void EditCommands::Delete(const QString& activePane, bool forGood)
{
    const FsStep step(m_fileSystem, QStringLiteral("Delete"));
    if (activePane == QLatin1String("L"))
        deleteListItems(forGood);
    else
        deleteTreeNode(forGood);
}

void EditCommands::deleteListItems(bool forGood)
{
    const QModelIndexList selected = m_list.SelectedItems();
    QList<FileOperations::ListEntry> entries;
    for (const QModelIndex& item : selected)
        entries.append({FavoritesList::Tag(item), FavoritesList::Text(item)});
    if (!ConfirmDelete(m_prompts, m_owner, FileOperations::DeleteQuestion(entries, forGood)))
        return;
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    files.SetDeleteForGood(forGood);
    const QStringList deleted = files.DeleteSelectedListItems(entries);
    const bool folderGone = std::any_of(deleted.cbegin(), deleted.cend(), [](const QString& tag) {
        return tag.startsWith(QLatin1Char('*'));
    });
    if (folderGone) {
        // The tree still shows the folder; rebuilding drops it and lists what is left.
        m_views.RefreshView();
        return;
    }
    m_list.RemoveTags(deleted);
    m_views.ShowItemCount();
}

void EditCommands::deleteTreeNode(bool forGood)
{
    QTreeWidgetItem* node = FolderNode(m_tree);
    if (!node)
        return;
    if (!ConfirmDelete(m_prompts, m_owner,
                       FileOperations::DeleteFolderQuestion(FavoritesTree::Text(node), forGood)))
        return;
    const QString folder = FavoritesTree::Tag(node);
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    files.SetDeleteForGood(forGood);
    if (!files.DeleteFolderPath(folder))
        return;
    // A group label above the node has no tag: fall back to the Favorites folder.
    QString parentTag = FavoritesTree::Tag(node->parent());
    if (parentTag.isEmpty())
        parentTag = m_views.FavoritesRoot();
    if (SearchLinks::IsAtOrBelow(m_views.SelectionKey(), folder))
        m_views.SetSelectionKey(parentTag);
    // The tree cannot drop a single node, so the view is rebuilt from the disk.
    m_views.RefreshView();
    SelectFolderNode(m_tree, parentTag);
}

bool EditCommands::Rename(const QString& activePane, const QString& newName)
{
    const FsStep step(m_fileSystem, QStringLiteral("Rename"));
    if (activePane == QLatin1String("L"))
        return renameListItem(newName);
    return renameTreeNode(newName);
}

bool EditCommands::renameTreeNode(const QString& newName)
{
    QTreeWidgetItem* node = FolderNode(m_tree);
    if (!node)
        return false;
    const QString oldPath = FavoritesTree::Tag(node);
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    const std::optional<QString> newPath = files.RenameFolder(oldPath, newName);
    if (!newPath)
        return false;
    if (*newPath == oldPath)
        return true;
    m_views.SetSelectionKey(SearchLinks::Rebase(m_views.SelectionKey(), oldPath, *newPath));
    m_views.RefreshView();
    SelectFolderNode(m_tree, *newPath);
    return true;
}

bool EditCommands::renameListItem(const QString& newName)
{
    const QModelIndex item = m_list.SelectedItem();
    if (!item.isValid())
        return false;
    const QString tag = FavoritesList::Tag(item);
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    if (!FavoritesList::IsFolder(item)) {
        const std::optional<QString> newPath = files.RenameLink(tag, newName);
        if (!newPath)
            return false;
        if (*newPath != tag)
            refreshAndSelectEntry(*newPath);
        return true;
    }
    const QString oldPath = tag.mid(1);
    const std::optional<QString> newPath = files.RenameFolder(oldPath, newName);
    if (!newPath)
        return false;
    if (*newPath == oldPath)
        return true;
    m_views.SetSelectionKey(SearchLinks::Rebase(m_views.SelectionKey(), oldPath, *newPath));
    refreshAndSelectEntry(u'*' + *newPath);
    return true;
}

void EditCommands::refreshAndSelectEntry(const QString& tag)
{
    m_views.RefreshView();
    for (int i = 0; i < m_list.Count(); ++i) {
        if (FavoritesList::Tag(m_list.Item(i)) == tag) {
            m_list.SelectOnly(m_list.Item(i));
            return;
        }
    }
}

void EditCommands::NewFolder(const QString& activePane)
{
    Q_UNUSED(activePane) // a new folder always goes under the tree's selected node
    if (m_views.CurrentView() != FavoritesViews::Normal) {
        warn(QStringLiteral("Create Folder is only available in Normal View."));
        return;
    }
    QTreeWidgetItem* parent = m_tree.SelectedItem();
    if (!parent)
        parent = m_tree.Root();
    if (!parent)
        return;
    QString name = QStringLiteral("New Folder");
    for (;;) {
        name = m_prompts.InputBox(m_owner,
                                  QStringLiteral("Create the following new folder in '") +
                                      FavoritesTree::Text(parent) + QStringLiteral("':"),
                                  QStringLiteral("Create Folder"), name);
        if (name.isEmpty())
            return;
        if (CleanFileName(name) == name)
            break;
        m_prompts.MsgBox(m_owner, BadNameMessage(), Prompts::Buttons::Ok, Prompts::Icon::None,
                         AppInfo::ProductName);
    }
    // In the Normal view a node's tag is its folder.
    const QString path = AddBackslash(FavoritesTree::Tag(parent)) + name;
    FileOperations files(m_fileSystem, m_prompts, m_owner, &m_searchLinks);
    const FsStep step(m_fileSystem, QStringLiteral("New Folder"));
    if (!files.CreateFolderPath(path))
        return;
    QTreeWidgetItem* holder = m_tree.FindNodeByTag(SplitPath(path, true, false));
    if (holder)
        m_tree.AddFolderNode(holder, name, path);
    else
        m_views.RefreshView();
    SelectFolderNode(m_tree, path);
}

void EditCommands::CopyLink(const QString& activePane)
{
    if (activePane != QLatin1String("L"))
        return;
    const QModelIndex item = m_list.SelectedItem();
    if (!item.isValid()) {
        warn(QStringLiteral("Please select an link to copy to the clipboard."));
        return;
    }
    if (FavoritesList::IsFolder(item)) {
        warn(QStringLiteral("Please select a link to copy to the clipboard."));
        return;
    }
    QGuiApplication::clipboard()->setText(FavoritesList::Tag(item));
}
