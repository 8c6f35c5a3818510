#include "favorites/DateViews.h"

#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FolderTree.h"
#include "favorites/FolderWalk.h"
#include "platform/FileSystemService.h"

#include <QLocale>

namespace {

QList<FsEntry> filesOf(const FileSystemService& fileSystem, const QString& path)
{
    try {
        return fileSystem.Contents(path).Files;
    } catch (const FileSystemError&) {
        return {};
    }
}

} // namespace

namespace DateViews {

QString DayText(const FsDetails& details, DateKind kind)
{
    const QDateTime& date = kind == DateKind::Accessed   ? details.DateLastAccessed
                            : kind == DateKind::Modified ? details.DateLastModified
                                                         : details.DateCreated;
    return QLocale::c().toString(date.date(), QStringLiteral("yyyy-MM-dd"));
}

void AddColumns(FavoritesList& list)
{
    const int width = list.ListWidth();
    list.AddColumn(QStringLiteral("Link Name"), width * 55 / 100);
    list.AddColumn(QStringLiteral("Folder"), width * 2 / 5);
}

void BuildDateTree(FavoritesTree& tree, const FileSystemService& fileSystem,
                   const QString& rootPath, DateKind kind)
{
    QTreeWidgetItem* root = tree.Root();
    FolderWalk::Walk(fileSystem, rootPath, 0, [&](const FsItem& folder, int, bool first) {
        if (!first)
            return 0;
        for (const FsEntry& file : filesOf(fileSystem, folder.Path)) {
            const QString day = DayText(file.Details, kind);
            tree.AddKeyedNode(root, QLatin1Char('K') + day, day, QString(),
                              QStringLiteral("Closed"), QStringLiteral("Open"), false);
        }
        return 0;
    });
}

void ListDate(FavoritesList& list, const FileSystemService& fileSystem, const QString& rootPath,
              const QString& dayText, DateKind kind)
{
    list.Clear();
    QList<ListRow> rows;
    const auto listFolder = [&](const QString& path) {
        for (const FsEntry& file : filesOf(fileSystem, path)) {
            if (DayText(file.Details, kind) != dayText)
                continue;
            rows.append({QLatin1Char('K') + QString::number(rows.size()),
                         FileSystemService::GetBaseName(file.Name), QStringLiteral("URL"),
                         file.Path, {FolderTree::FolderColumn(rootPath, file.Path)}});
        }
    };
    if (!rootPath.isEmpty())
        listFolder(rootPath);
    FolderWalk::Walk(fileSystem, rootPath, 0, [&](const FsItem& folder, int, bool first) {
        if (first)
            listFolder(folder.Path);
        return 0;
    });
    list.AddRows(rows);
}

} // namespace DateViews
