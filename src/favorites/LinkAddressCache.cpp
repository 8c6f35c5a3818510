#include "favorites/LinkAddressCache.h"

#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"

QStringList LinkAddressCache::Addresses(const FileSystemService& fileSystem,
                                        const QString& folderPath,
                                        const QList<const FsEntry*>& links)
{
    Folder known;
    {
        QMutexLocker lock(&m_mutex);
        known = m_folders.value(folderPath); // shared, not copied, while nothing changes
    }
    QStringList addresses;
    addresses.reserve(links.size());
    bool changed = known.size() != links.size();
    for (const FsEntry* file : links) {
        const auto it = known.constFind(file->Name);
        if (it != known.cend() && it->modified == file->Details.Modified) {
            addresses.append(it->address);
        } else {
            addresses.append(ShortcutFile::ReadShortcutURL(fileSystem, file->Path));
            changed = true;
        }
    }
    if (!changed)
        return addresses;
    Folder fresh;
    fresh.reserve(links.size());
    for (qsizetype i = 0; i < links.size(); ++i)
        fresh.insert(links.at(i)->Name, {links.at(i)->Details.Modified, addresses.at(i)});
    QMutexLocker lock(&m_mutex);
    m_folders.insert(folderPath, std::move(fresh));
    return addresses;
}

qsizetype LinkAddressCache::Size() const
{
    QMutexLocker lock(&m_mutex);
    qsizetype size = 0;
    for (const Folder& folder : m_folders)
        size += folder.size();
    return size;
}
