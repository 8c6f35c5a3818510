#include "favorites/LinkAddressCache.h"

#include "favorites/ShortcutFile.h"

QString LinkAddressCache::Address(const FileSystemService& fileSystem, const QString& path,
                                  std::int64_t modified)
{
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_entries.constFind(path);
        if (it != m_entries.cend() && it->modified == modified)
            return it->address;
    }
    const QString address = ShortcutFile::ReadShortcutURL(fileSystem, path);
    QMutexLocker lock(&m_mutex);
    m_entries.insert(path, {modified, address});
    return address;
}

qsizetype LinkAddressCache::Size() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries.size();
}
