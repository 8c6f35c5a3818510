#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

#include <cstdint>

class FileSystemService;

// Addresses of link files, read once and kept while the file's modification time stays
// the same, so searching addresses again does not read every file again. Safe to use
// from a worker thread.
class LinkAddressCache
{
public:
    // modified: the file's modification time in milliseconds since the epoch.
    QString Address(const FileSystemService& fileSystem, const QString& path,
                    std::int64_t modified);
    qsizetype Size() const;

private:
    struct Entry
    {
        std::int64_t modified;
        QString address;
    };

    mutable QMutex m_mutex;
    QHash<QString, Entry> m_entries;
};
