#pragma once

#include "platform/FileSystemService.h"

// Reads files without touching their access times where the system allows it: an export
// reads every shortcut, and the Last Accessed view should not show them all as read now.
class QuietFileSystem final : public FileSystemService
{
public:
    struct Head
    {
        bool Plain = false; // a regular file; nothing else is read
        QByteArray Bytes;   // up to limit + 1, as ReadHead gives them
        FsDetails Details;
    };
    // A file's first bytes and its details from one open: an export needs both of every
    // link, and asking the file's folder for the details first would cost a second look.
    Head ReadHeadAndDetails(const QString& path, qint64 limit) const;
    QByteArray ReadHead(const QString& path, qint64 limit) const override;
};
