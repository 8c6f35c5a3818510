#pragma once

#include "health/LinkFile.h"

#include <QList>
#include <QString>

#include <optional>

class FileSystemService;

// A conflict copy a sync engine left, and the file it stands beside (gone when the engine
// kept only the copy).
struct ConflictPair
{
    LinkFile Copy;
    QString OriginalPath;
    std::optional<LinkFile> Original;
};

namespace SyncConflicts {

// Every conflict copy of a link in root and the folders below it.
QList<ConflictPair> Find(const FileSystemService& fileSystem, const QString& root);

// The first of "Name (2).url", "Name (3).url"... free in the original's folder, for a copy
// kept beside its original.
QString FreePathBeside(const FileSystemService& fileSystem, const QString& originalPath);

} // namespace SyncConflicts
