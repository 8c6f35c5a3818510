#pragma once

#include "favorites/clsLink.h"

#include <QList>
#include <QString>

#include <functional>

class FileSystemService;
class LinkAddressCache;

// What a search looks for and where, as the search dialog hands it over.
struct SearchParameters
{
    enum CompareMode
    {
        CaseSensitive = 0,
        IgnoreCase = 1
    };
    enum MatchType
    {
        Contains = 0,
        BeginsWith,
        EndsWith,
        MatchesExactly
    };
    enum ItemKinds
    {
        FoldersAndLinks = 0,
        LinksOnly,
        FolderNamesOnly
    };

    QString Folder; // where the search starts
    bool Recurse = true;
    QString Text; // as typed; empty matches everything "Contains" looks at
    int Compare = IgnoreCase;
    int SearchType = Contains;
    int SearchOptions = FoldersAndLinks;
    // What of a link is tested: its file name, its address or either.
    enum LookInKinds
    {
        Names = 0,
        Addresses,
        NamesAndAddresses
    };
    int LookIn = Names;
};

// Called with each folder's path as the search enters it.
using SearchProgress = std::function<void(const QString& folderPath)>;

// Walks the folder depth first, appending to results every file (tested with its
// extension, "Daily.url") and every subfolder whose name matches. Subfolders are neither
// tested nor entered without Recurse. A folder that cannot be read ends the search of
// that folder only; a folder reached again through a symbolic link is tested but not
// entered twice. Looking in addresses, every .url file's address is read (through
// addresses when given) and kept with its record; folders have none. The walk then comes
// first and the folders' links are searched on several threads; progress is called on
// the calling thread only, for the folders it searches itself.
void SearchFolder(const FileSystemService& fileSystem, const SearchParameters& parameters,
                  QList<clsLink>& results, const SearchProgress& progress = {},
                  LinkAddressCache* addresses = nullptr);

// One name against the text, with the search's type and letter-case rule.
bool SearchNameMatches(const QString& name, const QString& text, int compare, int searchType);
