#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <atomic>
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

// Lets the thread that started a collection follow it and stop it.
struct CollectProgress
{
    std::atomic<int> Read = 0;        // links read so far
    std::atomic<bool> Cancel = false; // set to stop; the collection then returns nothing
};

namespace LinkFiles {

// Every .url file in root and the folders below it, each folder once, addresses read.
// Folders that cannot be read are passed over.
QList<LinkFile> Collect(const FileSystemService& fileSystem, const QString& root,
                        CollectProgress* progress = nullptr);
// The same over several items: each a folder (with the folders below it) or a .url file.
// A link reached twice is listed once; other files are passed over.
QList<LinkFile> Collect(const FileSystemService& fileSystem, const QStringList& items,
                        CollectProgress* progress = nullptr);
// One file, as Collect would list it; nothing when it cannot be read.
std::optional<LinkFile> Read(const FileSystemService& fileSystem, const QString& path);

} // namespace LinkFiles
