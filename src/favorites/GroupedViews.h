#pragma once

#include <QString>

class FavoritesList;
class FavoritesTree;
class FileSystemService;

// The Phone Book and Address Book views, which index every folder under the first
// character of its name, and the Single List view of every link below the root.
namespace GroupedViews {

enum class GroupRule
{
    PhoneBook,
    AddressBook
};

// The group a folder name falls in: its first character upper-cased, or for the
// Address Book the first letter range holding that character.
QString GroupLabel(const QString& folderName, GroupRule rule);

void AddColumns(FavoritesList& list);
// Group nodes under the root, one folder node per distinct folder name in a group.
void BuildGroupTree(FavoritesTree& tree, const FileSystemService& fileSystem,
                    const QString& rootPath, GroupRule rule);
// The contents of every folder named name: the root itself and any folder below it.
void ListFolderName(FavoritesList& list, const FileSystemService& fileSystem,
                    const QString& rootPath, const QString& name);
// Every link in a folder below the root; returns the path of the last folder walked.
QString ListAllLinks(FavoritesList& list, const FileSystemService& fileSystem,
                     const QString& rootPath);

} // namespace GroupedViews
