#pragma once

#include <QString>

class FavoritesList;
class FavoritesTree;
class FileSystemService;
struct FsDetails;

// The Last Accessed, Last Modified and Date Created views: one node per day on which a
// link below the root has that date, newest first.
namespace DateViews {

enum class DateKind
{
    Accessed,
    Modified,
    Created
};

// "YYYY-MM-DD" of the date the view reads.
QString DayText(const FsDetails& details, DateKind kind);
void AddColumns(FavoritesList& list);
void BuildDateTree(FavoritesTree& tree, const FileSystemService& fileSystem,
                   const QString& rootPath, DateKind kind);
// Every link with a date on that day: those in the root first, then the rest in walk order.
void ListDate(FavoritesList& list, const FileSystemService& fileSystem, const QString& rootPath,
              const QString& dayText, DateKind kind);

} // namespace DateViews
