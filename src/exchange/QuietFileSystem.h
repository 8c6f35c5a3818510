#pragma once

#include "platform/FileSystemService.h"

#include <fcntl.h>

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
    // The same for a name in an open folder (or a path with AT_FDCWD); errno on failure.
    static int ReadHeadAndDetailsAt(int folderFd, const char* name, qint64 limit, Head& head);
    // Flags that open a file for a quiet look; pipes and terminals never block it.
    static constexpr int OpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOATIME;
    QByteArray ReadHead(const QString& path, qint64 limit) const override;
};
