#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class FileSystemService;

// One shortcut file found below a folder, with what the health tools show of it.
struct LinkFile
{
    QString Path;
    QString Folder;
    QString Name; // base name, as the list shows it
    QString Address;
    QDateTime Modified;
    QDateTime Created;
    qint64 Size = 0;
};

namespace LinkFiles {

// Every .url file in root and the folders below it, each folder once, addresses read.
// Folders that cannot be read are passed over.
QList<LinkFile> Collect(const FileSystemService& fileSystem, const QString& root);
// One file, as Collect would list it; nothing when it cannot be read.
std::optional<LinkFile> Read(const FileSystemService& fileSystem, const QString& path);

} // namespace LinkFiles
