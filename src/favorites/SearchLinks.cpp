#include "favorites/SearchLinks.h"

#include "platform/FileSystemService.h"

bool SearchLinks::IsAtOrBelow(const QString& path, const QString& folder)
{
    if (folder.isEmpty() || !path.startsWith(folder))
        return false;
    return path.size() == folder.size() || path.at(folder.size()) == QLatin1Char('/');
}

bool SearchLinks::Exists(const FileSystemService& fileSystem, const QString& path, bool isFolder)
{
    return isFolder ? fileSystem.FolderExists(path) : fileSystem.FileExists(path, AttributeHidden);
}

void SearchLinks::DropMissing(const FileSystemService& fileSystem)
{
    m_items.removeIf(
        [&](const clsLink& link) { return !Exists(fileSystem, link.Path(), link.IsFolder()); });
}

QString SearchLinks::Rebase(const QString& path, const QString& oldPath, const QString& newPath)
{
    if (!IsAtOrBelow(path, oldPath))
        return path;
    return newPath + path.mid(oldPath.size());
}

void SearchLinks::UpdateLinkCache(const QString& oldPath, const QString& newPath,
                                  const QString& newTitle, bool isLink, Change change)
{
    switch (change) {
    case Change::Delete:
        for (qsizetype i = m_items.size() - 1; i >= 0; --i) {
            if (m_items.at(i).Path() == oldPath) {
                m_items.removeAt(i);
                return;
            }
        }
        return;

    case Change::Move:
        if (isLink) {
            for (clsLink& link : m_items) {
                if (link.Path() == oldPath) {
                    link.SetPath(newPath + u'/' + FileSystemService::GetFileName(oldPath));
                    link.SetDir(newPath);
                    return;
                }
            }
            return;
        }
        for (clsLink& link : m_items) {
            link.SetPath(Rebase(link.Path(), oldPath, newPath));
            link.SetDir(Rebase(link.Dir(), oldPath, newPath));
        }
        return;

    case Change::Rename:
        for (clsLink& link : m_items) {
            if (link.Path() == oldPath) {
                link.SetPath(newPath);
                link.SetTitle(newTitle);
                if (link.IsFolder()) {
                    link.SetDir(newPath);
                } else {
                    link.SetFile(FileSystemService::GetFileName(newPath));
                    link.SetDir(FileSystemService::ParentFolder(newPath));
                }
            } else {
                link.SetPath(Rebase(link.Path(), oldPath, newPath));
                link.SetDir(Rebase(link.Dir(), oldPath, newPath));
            }
        }
        return;
    }
}
