#include "health/SyncConflicts.h"

#include "favorites/FolderWalk.h"
#include "favorites/SyncConflict.h"
#include "platform/FileSystemService.h"

namespace {

void AddConflicts(const FileSystemService& fileSystem, const QString& folder,
                  const QList<FsItem>& files, QList<ConflictPair>& pairs)
{
    for (const FsItem& file : files) {
        const QString original = SyncConflict::OriginalName(file.Name);
        if (!original.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
            continue;
        std::optional<LinkFile> copy = LinkFiles::Read(fileSystem, file.Path);
        if (!copy)
            continue;
        const QString originalPath = folder + u'/' + original;
        pairs.append({*std::move(copy), originalPath, LinkFiles::Read(fileSystem, originalPath)});
    }
}

} // namespace

QList<ConflictPair> SyncConflicts::Find(const FileSystemService& fileSystem, const QString& root)
{
    QList<ConflictPair> pairs;
    try {
        AddConflicts(fileSystem, root, fileSystem.Listing(root).Files, pairs);
    } catch (const FileSystemError&) {
        return pairs;
    }
    FolderWalk::Walk(fileSystem, root, 0,
                     [&](const FsItem& folder, int, bool, const QList<FsItem>& files) {
                         AddConflicts(fileSystem, folder.Path, files, pairs);
                         return 0;
                     });
    return pairs;
}

QString SyncConflicts::FreePathBeside(const FileSystemService& fileSystem,
                                      const QString& originalPath)
{
    const QString folder = FileSystemService::ParentFolder(originalPath);
    const QString name = FileSystemService::GetBaseName(originalPath);
    const QString extension = FileSystemService::GetFileName(originalPath).mid(name.size());
    for (int number = 2;; ++number) {
        const QString path = folder + u'/' + name + QStringLiteral(" (%1)").arg(number) + extension;
        if (!fileSystem.FileExists(path, 16))
            return path;
    }
}
