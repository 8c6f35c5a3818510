#include "favorites/SearchFolder.h"

#include "favorites/LinkAddressCache.h"
#include "platform/FileSystemService.h"

#include <QSet>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <memory>
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

// The links of one folder, tested by address, or by name and address.
void SearchAddresses(const FileSystemService& fileSystem, const SearchParameters& p,
                     const QString& folderPath, QList<clsLink>& results,
                     LinkAddressCache& addresses)
{
    FolderContents contents;
    try {
        contents = fileSystem.Contents(folderPath);
    } catch (const FileSystemError&) {
        return;
    }
    QList<const FsEntry*> links;
    for (const FsEntry& file : std::as_const(contents.Files)) {
        if (file.Name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
            links.append(&file);
    }
    const QStringList known = addresses.Addresses(fileSystem, folderPath, links);
    qsizetype link = 0;
    for (const FsEntry& file : std::as_const(contents.Files)) {
        const bool isLink = link < links.size() && links.at(link) == &file;
        const QString address = isLink ? known.at(link++) : QString();
        const bool byName = p.LookIn == SearchParameters::NamesAndAddresses &&
                            SearchNameMatches(file.Name, p.Text, p.Compare, p.SearchType);
        if (byName ||
            (!address.isEmpty() && SearchNameMatches(address, p.Text, p.Compare, p.SearchType))) {
            clsLink found = clsLink::FromLinkFile(file.Path);
            found.SetAddress(address);
            results.append(found);
        }
    }
}

// Searches the files of one folder by name and returns its subfolders still to be
// walked. A folder that fails half way keeps what it found; its subfolders are then left
// out.
QList<FsItem> SearchOneFolder(const FileSystemService& fileSystem, const SearchParameters& p,
                              const QString& folderPath, QList<clsLink>& results)
{
    try {
        if (WantLinks(p)) {
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

QList<FsItem> SubFoldersToWalk(const FileSystemService& fileSystem, const SearchParameters& p,
                               const QString& folderPath)
{
    try {
        if (p.Recurse)
            return fileSystem.SubFolders(folderPath);
    } catch (const FileSystemError&) {
    }
    return {};
}

// One step of the walk, in the order the results list it: a folder whose name matched,
// a folder whose links are searched, or both.
struct Step
{
    QString matchedFolder;
    QString searched;
    QList<clsLink> found; // the searched folder's links
};

// Reading every link's address is the slow part: the walk only lists subfolders, and
// the folders' links are then searched on every core, each folder's results kept in
// its place so the order is the walk's.
void SearchLinksInParallel(const FileSystemService& fileSystem, std::vector<Step>& steps,
                           const SearchParameters& p, const SearchProgress& progress,
                           LinkAddressCache& addresses)
{
    std::atomic<size_t> next = 0;
    const auto work = [&](bool reportProgress) {
        for (size_t i = next++; i < steps.size(); i = next++) {
            if (steps[i].searched.isEmpty())
                continue;
            if (reportProgress && progress)
                progress(steps[i].searched);
            SearchAddresses(fileSystem, p, steps[i].searched, steps[i].found, addresses);
        }
    };
    std::vector<std::unique_ptr<QThread>> helpers;
    const int cores = std::min(QThread::idealThreadCount(), 4);
    for (int i = 1; i < cores && steps.size() > 1; ++i) {
        helpers.emplace_back(QThread::create(work, false));
        helpers.back()->start();
    }
    work(true);
    for (const auto& helper : helpers)
        helper->wait();
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
    const bool byAddress = parameters.LookIn != SearchParameters::Names;
    if (progress && !byAddress)
        progress(parameters.Folder);

    // Folders already walked, so a symbolic link back up the tree cannot loop.
    QSet<FolderId> walked;
    try {
        walked.insert(fileSystem.Identity(parameters.Folder));
    } catch (const FileSystemError&) {
        return;
    }

    // Looking in addresses, the links are searched once the walk is done.
    std::vector<Step> steps;
    const auto enter = [&](const QString& folderPath) {
        if (!byAddress)
            return SearchOneFolder(fileSystem, parameters, folderPath, results);
        if (WantLinks(parameters))
            steps.push_back({{}, folderPath, {}});
        return SubFoldersToWalk(fileSystem, parameters, folderPath);
    };
    // An explicit stack: Favorites can nest deeper than the call stack would like.
    std::vector<Level> stack;
    stack.push_back({enter(parameters.Folder), 0});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.index >= level.subFolders.size()) {
            stack.pop_back();
            continue;
        }
        const FsItem folder = level.subFolders.at(level.index++);
        if (WantFolders(parameters) &&
            SearchNameMatches(folder.Name, parameters.Text, parameters.Compare,
                              parameters.SearchType)) {
            if (byAddress)
                steps.push_back({folder.Path, {}, {}});
            else
                results.append(clsLink::FromFolder(folder.Path));
        }
        if (walked.contains(folder.Id))
            continue;
        walked.insert(folder.Id);
        if (progress && !byAddress)
            progress(folder.Path);
        stack.push_back({enter(folder.Path), 0});
    }
    if (!byAddress)
        return;
    LinkAddressCache local;
    SearchLinksInParallel(fileSystem, steps, parameters, progress, addresses ? *addresses : local);
    for (Step& step : steps) {
        if (!step.matchedFolder.isEmpty())
            results.append(clsLink::FromFolder(step.matchedFolder));
        results.append(std::move(step.found));
    }
}
