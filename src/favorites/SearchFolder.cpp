#include "favorites/SearchFolder.h"

#include "favorites/LinkAddressCache.h"
#include "platform/FileSystemService.h"

#include <QSet>

#include <vector>

namespace {

struct Level
{
    QList<FsItem> subFolders;
    qsizetype index = 0;
};

bool WantLinks(const SearchParameters& p)
{
    return p.SearchOptions == SearchParameters::FoldersAndLinks ||
           p.SearchOptions == SearchParameters::LinksOnly;
}

bool WantFolders(const SearchParameters& p)
{
    return p.SearchOptions == SearchParameters::FoldersAndLinks ||
           p.SearchOptions == SearchParameters::FolderNamesOnly;
}

// Searches the files of one folder and returns its subfolders still to be walked. A
// folder that fails half way keeps what it found; its subfolders are then left out.
// The links of one folder, tested by name, address or both.
void SearchAddresses(const FileSystemService& fileSystem, const SearchParameters& p,
                     const QString& folderPath, QList<clsLink>& results,
                     LinkAddressCache& addresses)
{
    const QList<FsEntry> files = fileSystem.Contents(folderPath).Files;
    for (const FsEntry& file : files) {
        const QString address =
            file.Name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive)
                ? addresses.Address(fileSystem, file.Path, file.Details.Modified)
                : QString();
        const bool byName = p.LookIn == SearchParameters::NamesAndAddresses &&
                            SearchNameMatches(file.Name, p.Text, p.Compare, p.SearchType);
        if (byName ||
            (!address.isEmpty() && SearchNameMatches(address, p.Text, p.Compare, p.SearchType))) {
            clsLink link = clsLink::FromLinkFile(file.Path);
            link.SetAddress(address);
            results.append(link);
        }
    }
}

QList<FsItem> SearchOneFolder(const FileSystemService& fileSystem, const SearchParameters& p,
                              const QString& folderPath, QList<clsLink>& results,
                              LinkAddressCache& addresses)
{
    try {
        if (WantLinks(p) && p.LookIn != SearchParameters::Names) {
            SearchAddresses(fileSystem, p, folderPath, results, addresses);
        } else if (WantLinks(p)) {
            const QList<FsItem> files = fileSystem.Files(folderPath);
            for (const FsItem& file : files) {
                if (SearchNameMatches(file.Name, p.Text, p.Compare, p.SearchType))
                    results.append(clsLink::FromLinkFile(file.Path));
            }
        }
        if (p.Recurse)
            return fileSystem.SubFolders(folderPath);
    } catch (const FileSystemError&) {
    }
    return {};
}

} // namespace

bool SearchNameMatches(const QString& name, const QString& text, int compare, int searchType)
{
    const Qt::CaseSensitivity cs =
        compare == SearchParameters::CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    switch (searchType) {
    case SearchParameters::Contains:
        return name.contains(text, cs);
    case SearchParameters::BeginsWith:
        return name.startsWith(text, cs);
    case SearchParameters::EndsWith:
        return name.endsWith(text, cs);
    case SearchParameters::MatchesExactly:
        return name.compare(text, cs) == 0;
    default:
        return false;
    }
}

void SearchFolder(const FileSystemService& fileSystem, const SearchParameters& parameters,
                  QList<clsLink>& results, const SearchProgress& progress,
                  LinkAddressCache* addresses)
{
    LinkAddressCache local;
    LinkAddressCache& cache = addresses ? *addresses : local;
    if (progress)
        progress(parameters.Folder);

    // Folders already walked, so a symbolic link back up the tree cannot loop.
    QSet<FolderId> walked;
    try {
        walked.insert(fileSystem.Identity(parameters.Folder));
    } catch (const FileSystemError&) {
        return;
    }

    // An explicit stack: Favorites can nest deeper than the call stack would like.
    std::vector<Level> stack;
    stack.push_back(
        {SearchOneFolder(fileSystem, parameters, parameters.Folder, results, cache), 0});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.index >= level.subFolders.size()) {
            stack.pop_back();
            continue;
        }
        const FsItem folder = level.subFolders.at(level.index++);
        if (WantFolders(parameters) && SearchNameMatches(folder.Name, parameters.Text,
                                                         parameters.Compare, parameters.SearchType))
            results.append(clsLink::FromFolder(folder.Path));
        if (walked.contains(folder.Id))
            continue;
        walked.insert(folder.Id);
        if (progress)
            progress(folder.Path);
        stack.push_back({SearchOneFolder(fileSystem, parameters, folder.Path, results, cache), 0});
    }
}
