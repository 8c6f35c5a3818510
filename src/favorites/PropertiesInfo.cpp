#include "favorites/PropertiesInfo.h"

#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"

#include <QLocale>

PropertiesInfo PropertiesInfo::Read(const FileSystemService& fileSystem, const QString& itemPath,
                                    const QString& itemType)
{
    const bool isLink = itemType == QLatin1String("L");
    if (itemPath.isEmpty() || (!isLink && itemType != QLatin1String("F")))
        return {};
    FsDetails details;
    try {
        details = fileSystem.Details(itemPath);
    } catch (const FileSystemError&) {
        return {};
    }
    if (((details.Attributes & AttributeDirectory) != 0) == isLink)
        return {};

    PropertiesInfo info;
    if (isLink) {
        info.Name = FileSystemService::GetBaseName(itemPath);
        info.Location = FileSystemService::ParentFolder(itemPath);
        info.URL = ShortcutFile::ReadShortcutURL(fileSystem, itemPath);
    } else {
        info.Name = FileSystemService::GetFileName(itemPath);
        info.Location = itemPath;
    }
    info.Created = TimeText(details.DateCreated());
    info.Modified = TimeText(details.DateLastModified());
    info.Accessed = TimeText(details.DateLastAccessed());
    info.ReadOnly = (details.Attributes & AttributeReadOnly) != 0;
    info.Hidden = (details.Attributes & AttributeHidden) != 0;
    info.System = (details.Attributes & AttributeSystem) != 0;
    return info;
}

QString PropertiesInfo::TimeText(const QDateTime& time)
{
    if (!time.isValid())
        return {};
    return QLocale::c().toString(time, QStringLiteral("dddd, MMMM d, yyyy  h:mm:ss AP"));
}
