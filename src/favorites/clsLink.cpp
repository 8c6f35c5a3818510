#include "favorites/clsLink.h"

#include "platform/FileSystemService.h"

clsLink clsLink::FromLinkFile(const QString& path)
{
    clsLink link;
    link.m_path = path;
    link.m_title = FileSystemService::GetBaseName(path);
    link.m_dir = FileSystemService::ParentFolder(path);
    link.m_file = FileSystemService::GetFileName(path);
    return link;
}

clsLink clsLink::FromFolder(const QString& path)
{
    // A folder picked with a trailing "/" is still the same folder.
    QString own = path;
    while (own.size() > 1 && own.endsWith(QLatin1Char('/')))
        own.chop(1);
    clsLink link;
    link.m_path = own;
    link.m_title = FileSystemService::GetBaseName(own);
    link.m_dir = own;
    return link;
}
