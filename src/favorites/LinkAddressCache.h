#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <cstdint>

class FileSystemService;
struct FsEntry;

// Addresses of link files, read once and kept while the file's modification time stays
// the same, so searching addresses again does not read every file again. Kept by folder
// and file name, so a folder looked at again costs one lookup and a name per file. Safe
// to use from several threads at once.
class LinkAddressCache
{
public:
    // The address of each of a folder's link files, in the order given (entries as
    // FileSystemService::Contents lists them). Files that are new or whose modification
    // time changed are read; files no longer given are forgotten.
    QStringList Addresses(const FileSystemService& fileSystem, const QString& folderPath,
                          const QList<const FsEntry*>& links);
    qsizetype Size() const;

private:
    struct Entry
    {
        std::int64_t modified;
        QString address;
    };
    using Folder = QHash<QString, Entry>; // by file name

    mutable QMutex m_mutex;
    QHash<QString, Folder> m_folders;
};
