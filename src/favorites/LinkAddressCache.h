#pragma once

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>

class FileSystemService;

// Addresses of link files, read once and kept while the file's modification time stays
// the same, so searching addresses again does not read every file again. Safe to use
// from a worker thread.
class LinkAddressCache
{
public:
    QString Address(const FileSystemService& fileSystem, const QString& path,
                    const QDateTime& modified);
    qsizetype Size() const;

private:
    struct Entry
    {
        QDateTime modified;
        QString address;
    };

    mutable QMutex m_mutex;
    QHash<QString, Entry> m_entries;
};
