#include "health/LinkFile.h"

#include "favorites/FolderWalk.h"
#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"

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

QList<LinkFile> LinkFiles::Collect(const FileSystemService& fileSystem, const QString& root)
{
    QStringList folders{root};
    FolderWalk::Walk(fileSystem, root, 0, [&folders](const FsItem& folder, int, bool first) {
        if (first)
            folders.append(folder.Path);
        return 0;
    });
    QList<LinkFile> links;
    for (const QString& folder : folders) {
        FolderContents contents;
        try {
            contents = fileSystem.Contents(folder);
        } catch (const FileSystemError&) {
            continue;
        }
        for (const FsEntry& file : contents.Files) {
            if (IsShortcut(file.Name))
                links.append(MakeLink(fileSystem, folder, file));
        }
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
