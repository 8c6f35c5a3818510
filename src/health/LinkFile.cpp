#include "health/LinkFile.h"

#include "favorites/FolderWalk.h"
#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"

#include <QSet>

namespace {

bool IsShortcut(const QString& name)
{
    return name.endsWith(QLatin1String(".url"), Qt::CaseInsensitive);
}

LinkFile MakeLink(const FileSystemService& fileSystem, const QString& folder, const FsEntry& file)
{
    return {file.Path,
            folder,
            FileSystemService::GetBaseName(file.Name),
            ShortcutFile::ReadShortcutURL(fileSystem, file.Path),
            file.Details.DateLastModified(),
            file.Details.DateCreated(),
            file.Details.Size};
}

} // namespace

QList<LinkFile> LinkFiles::Collect(const FileSystemService& fileSystem, const QString& root,
                                   CollectProgress* progress)
{
    const auto cancelled = [progress] { return progress && progress->Cancel; };
    QStringList folders{root};
    FolderWalk::Walk(fileSystem, root, 0,
                     [&folders, &cancelled](const FsItem& folder, int, bool first) {
                         if (first && !cancelled())
                             folders.append(folder.Path);
                         return 0;
                     });
    QList<LinkFile> links;
    for (const QString& folder : folders) {
        if (cancelled())
            return {};
        FolderContents contents;
        try {
            contents = fileSystem.Contents(folder);
        } catch (const FileSystemError&) {
            continue;
        }
        for (const FsEntry& file : contents.Files) {
            if (IsShortcut(file.Name)) {
                links.append(MakeLink(fileSystem, folder, file));
                if (progress)
                    ++progress->Read;
            }
        }
    }
    return links;
}

QList<LinkFile> LinkFiles::Collect(const FileSystemService& fileSystem, const QStringList& items,
                                   CollectProgress* progress)
{
    QList<LinkFile> links;
    QSet<QString> seen;
    const auto add = [&](const LinkFile& link) {
        if (!seen.contains(link.Path)) {
            seen.insert(link.Path);
            links.append(link);
        }
    };
    for (const QString& item : items) {
        if (fileSystem.FolderExists(item)) {
            for (const LinkFile& link : Collect(fileSystem, item, progress))
                add(link);
        } else if (IsShortcut(item)) {
            if (const std::optional<LinkFile> link = Read(fileSystem, item))
                add(*link);
            if (progress)
                ++progress->Read;
        }
        if (progress && progress->Cancel)
            return {};
    }
    return links;
}

std::optional<LinkFile> LinkFiles::Read(const FileSystemService& fileSystem, const QString& path)
{
    try {
        const FsEntry entry{
            FileSystemService::GetFileName(path), path, fileSystem.Details(path), {}};
        return MakeLink(fileSystem, FileSystemService::ParentFolder(path), entry);
    } catch (const FileSystemError&) {
        return std::nullopt;
    }
}
