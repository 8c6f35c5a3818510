#pragma once

#include <QByteArray>
#include <QString>

// A file of this computer read for showing in a window, which it must never hang or flood:
// the kernel's and devices' files (/proc, /sys, /dev, links into them too) are refused,
// only plain files are opened, without waiting on one, and reading stops at the limit
// whatever size the file claims.
class LocalFile
{
public:
    // True for a path that is, once its links are resolved, under /proc, /sys or /dev.
    static bool IsSystemPath(const QString& path);

    // Empty error on success; cut when the file goes on past limit.
    struct Contents
    {
        QByteArray bytes;
        bool cut = false;
        QString error;
    };
    static Contents Read(const QString& path, qint64 limit);
};
