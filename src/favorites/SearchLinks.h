#pragma once

#include "favorites/clsLink.h"

#include <QList>
#include <QString>

#include <utility>

class FileSystemService;

// The results of the last search, in the order they were found. They outlive the search
// itself, so the file operations keep them in step with renames, moves and deletes.
class SearchLinks
{
public:
    // What happened on disk to the item at the old path.
    enum class Change : char
    {
        Delete = 'D',
        Move = 'M',
        Rename = 'R'
    };

    const QList<clsLink>& Items() const { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    const clsLink& Item(int index) const { return m_items.at(index); }
    void Add(const clsLink& link) { m_items.append(link); }
    void Clear() { m_items.clear(); }
    void Replace(QList<clsLink> items) { m_items = std::move(items); }
    // Drops the records whose file or folder is gone, deleted here or by anyone else.
    void DropMissing(const FileSystemService& fileSystem);
    static bool Exists(const FileSystemService& fileSystem, const QString& path, bool isFolder);

    // Follows a change on disk. Delete drops the last record of oldPath. Move of a link
    // puts the first record of oldPath into the folder newPath. Move of a folder, and any
    // rename, carries every record at or below oldPath over to newPath; a renamed record
    // itself also takes newTitle. Only whole path components are replaced, so renaming
    // "News" leaves "NewsArchive" alone.
    void UpdateLinkCache(const QString& oldPath, const QString& newPath, const QString& newTitle,
                         bool isLink, Change change);

    // path is folder itself or lies somewhere below it.
    static bool IsAtOrBelow(const QString& path, const QString& folder);
    // path with a leading oldPath replaced by newPath, where oldPath is the whole path or
    // is followed by "/"; otherwise path unchanged.
    static QString Rebase(const QString& path, const QString& oldPath, const QString& newPath);

private:
    QList<clsLink> m_items;
};
