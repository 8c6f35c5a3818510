#include "LocalFile.h"

#include "platform/BoundedFile.h"

#include <QFileInfo>

#include <cerrno>

bool LocalFile::IsSystemPath(const QString& path)
{
    QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty())
        real = QFileInfo(path).absoluteFilePath(); // missing: judged by its name
    for (const QLatin1String root :
         {QLatin1String("/proc"), QLatin1String("/sys"), QLatin1String("/dev")}) {
        if (real == root || real.startsWith(QString(root) + u'/'))
            return true;
    }
    return false;
}

LocalFile::Contents LocalFile::Read(const QString& path, qint64 limit)
{
    Contents contents;
    if (IsSystemPath(path)) {
        contents.error = QStringLiteral("Files of the system under /proc, /sys and /dev are not "
                                        "shown.");
        return contents;
    }
    const BoundedFile::Result read = BoundedFile::ReadHead(path, limit);
    switch (read.status) {
    case BoundedFile::Result::Status::Missing:
        contents.error = QStringLiteral("File not found.");
        break;
    case BoundedFile::Result::Status::Refused:
        contents.error = read.error == EACCES || read.error == EISDIR
                             ? QStringLiteral("This is not a file that can be shown.")
                             : read.reason;
        break;
    case BoundedFile::Result::Status::Read:
        contents.bytes = read.bytes;
        contents.cut = read.cut;
        break;
    }
    return contents;
}
