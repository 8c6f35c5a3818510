#include "favorites/DateViews.h"

#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FolderTree.h"
#include "favorites/FolderWalk.h"
#include "platform/FileSystemService.h"

#include <QSet>

#include <cstdio>
#include <ctime>

namespace {

QList<FsEntry> filesOf(const FileSystemService& fileSystem, const QString& path)
{
    try {
        return fileSystem.Contents(path).Files;
    } catch (const FileSystemError&) {
        return {};
    }
}

std::int64_t TimeOf(const FsDetails& details, DateViews::DateKind kind)
{
    using DateViews::DateKind;
    return kind == DateKind::Accessed   ? details.Accessed
           : kind == DateKind::Modified ? details.Modified
                                        : details.Created;
}

// Local midnight of a "YYYY-MM-DD" day and of the day after, in milliseconds; false when
// the text is no such day.
bool DayBounds(const QString& dayText, std::int64_t& from, std::int64_t& to)
{
    int year = 0, month = 0, day = 0;
    if (dayText.size() != 10 ||
        std::sscanf(dayText.toLatin1().constData(), "%4d-%2d-%2d", &year, &month, &day) != 3)
        return false;
    const auto midnight = [&](int dayOfMonth) {
        struct tm local = {};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = dayOfMonth; // the day after the last of a month is the next month's first
        local.tm_isdst = -1;        // whatever daylight saving says on that day
        return static_cast<std::int64_t>(std::mktime(&local));
    };
    const std::int64_t start = midnight(day);
    const std::int64_t end = midnight(day + 1);
    if (start == -1 || end == -1 || end <= start)
        return false;
    from = start * 1000;
    to = end * 1000;
    return true;
}

} // namespace

namespace DateViews {

QString DayText(const FsDetails& details, DateKind kind)
{
    const std::int64_t time = TimeOf(details, kind);
    // The C library's local time, not a date object: these views ask for every link's day.
    const auto seconds = static_cast<time_t>(time >= 0 ? time / 1000 : (time - 999) / 1000);
    struct tm local = {};
    if (!localtime_r(&seconds, &local))
        return QString();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return QString::fromLatin1(text);
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
    QSet<QString> days;
    FolderWalk::Walk(
        fileSystem, rootPath, 0, [&](const FsItem&, int, bool, const QList<FsEntry>& files) {
            for (const FsEntry& file : files) {
                const QString day = DayText(file.Details, kind);
                if (days.contains(day))
                    continue;
                days.insert(day);
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
    // Comparing each link's time with the day's bounds costs far less than writing out
    // each link's day.
    std::int64_t from = 0, to = 0;
    const bool bounded = DayBounds(dayText, from, to);
    const auto onDay = [&](const FsDetails& details) {
        if (!bounded)
            return DayText(details, kind) == dayText;
        const std::int64_t time = TimeOf(details, kind);
        return time >= from && time < to;
    };
    QList<ListRow> rows;
    const auto listFiles = [&](const QList<FsEntry>& files) {
        QStringList folderColumn; // the same for every link of the folder
        for (const FsEntry& file : files) {
            if (!onDay(file.Details))
                continue;
            if (folderColumn.isEmpty())
                folderColumn = {FolderTree::FolderColumn(rootPath, file.Path)};
            rows.append({QLatin1Char('K') + QString::number(rows.size()),
                         FileSystemService::GetBaseName(file.Name), file.Path, folderColumn});
        }
    };
    if (!rootPath.isEmpty())
        listFiles(filesOf(fileSystem, rootPath));
    FolderWalk::Walk(fileSystem, rootPath, 0,
                     [&](const FsItem&, int, bool, const QList<FsEntry>& files) {
                         listFiles(files);
                         return 0;
                     });
    list.AddRows(std::move(rows));
}

} // namespace DateViews
