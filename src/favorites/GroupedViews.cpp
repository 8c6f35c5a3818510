#include "favorites/GroupedViews.h"

#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FolderTree.h"
#include "favorites/FolderWalk.h"
#include "platform/FileSystemService.h"

#include <QStringList>
#include <QTreeWidgetItem>

namespace {

const QString kClosed = QStringLiteral("Closed");
const QString kOpen = QStringLiteral("Open");

const QStringList& addressBookLabels()
{
    static const QStringList labels = {
        QStringLiteral("A-B"), QStringLiteral("C-D"),   QStringLiteral("E-F"),
        QStringLiteral("G-H"), QStringLiteral("I-J"),   QStringLiteral("K-L"),
        QStringLiteral("M-N"), QStringLiteral("O-P-Q"), QStringLiteral("R-S"),
        QStringLiteral("T-U"), QStringLiteral("V-W"),   QStringLiteral("X-Y-Z")};
    return labels;
}

FolderContents contentsOf(const FileSystemService& fileSystem, const QString& path)
{
    try {
        return fileSystem.Contents(path);
    } catch (const FileSystemError&) {
        return {};
    }
}

ListRow linkRow(const QString& key, const QString& name, const QString& path,
                const QStringList& folderColumn)
{
    return {key, FileSystemService::GetBaseName(name), path, folderColumn};
}

} // namespace

namespace GroupedViews {

QString GroupLabel(const QString& folderName, GroupRule rule)
{
    const QString c = folderName.left(1).toUpper();
    if (rule == GroupRule::AddressBook) {
        for (const QString& label : addressBookLabels()) {
            if (label.contains(c, Qt::CaseInsensitive))
                return label;
        }
    }
    return c;
}

void AddColumns(FavoritesList& list)
{
    const int width = list.ListWidth();
    list.AddColumn(QStringLiteral("Link Name"), width / 2);
    list.AddColumn(QStringLiteral("Folder"), width * 45 / 100);
}

void BuildGroupTree(FavoritesTree& tree, const FileSystemService& fileSystem,
                    const QString& rootPath, GroupRule rule)
{
    QTreeWidgetItem* root = tree.Root();
    FolderWalk::Walk(fileSystem, rootPath, 0, [&](const FsItem& folder, int, bool) {
        const QString label = GroupLabel(folder.Name, rule);
        QTreeWidgetItem* group = tree.Node(label);
        if (!group)
            group = tree.AddKeyedNode(root, label, label, QString(), kClosed, kOpen, true);
        // Folders of one name share the node of the first met.
        const QString key = QLatin1Char('K') + FavoritesTree::FullPath(group) + u'/' + folder.Name;
        tree.AddKeyedNode(group, key, folder.Name, folder.Path, kClosed, kOpen, true);
        return 0;
    });
}

void ListFolderName(FavoritesList& list, const FileSystemService& fileSystem,
                    const QString& rootPath, const QString& name)
{
    list.Clear();
    QList<ListRow> rows;
    const auto listFolder = [&](const QString& path) {
        const FolderContents contents = contentsOf(fileSystem, path);
        for (const FsEntry& file : contents.Files) {
            rows.append(linkRow(QLatin1Char('K') + QString::number(rows.size()), file.Name,
                                file.Path, {FolderTree::FolderColumn(rootPath, file.Path)}));
        }
        for (const FsEntry& folder : contents.SubFolders) {
            ListRow row{QString(),
                        FileSystemService::GetBaseName(folder.Name),
                        u'*' + folder.Path,
                        {FolderTree::FolderColumn(rootPath, folder.Path)}};
            row.SortsFirst = true;
            rows.append(std::move(row));
        }
    };
    if (FileSystemService::GetFileName(rootPath) == name)
        listFolder(rootPath);
    FolderWalk::Walk(fileSystem, rootPath, 0, [&](const FsItem& folder, int, bool) {
        // A folder reached again through a link is listed too, as the Normal view lists it.
        if (folder.Name == name)
            listFolder(folder.Path);
        return 0;
    });
    list.AddRows(std::move(rows));
}

QString ListAllLinks(FavoritesList& list, const FileSystemService& fileSystem,
                     const QString& rootPath)
{
    QString lastFolder;
    QList<ListRow> rows;
    FolderWalk::Walk(fileSystem, rootPath, 0,
                     [&](const FsItem& folder, int, bool, const QList<FsItem>& files) {
                         lastFolder = folder.Path;
                         // A folder met again lists no files: its links are listed already.
                         const QStringList folderColumn{folder.Path.mid(rootPath.size())};
                         for (const FsItem& file : files)
                             rows.append(linkRow(QString(), file.Name, file.Path, folderColumn));
                         return 0;
                     });
    list.AddRows(std::move(rows));
    return lastFolder;
}

} // namespace GroupedViews
