#include "LocalFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kChunk = 64 * 1024;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

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
    // Never waits to open: a pipe or a device put in the file's place since it was looked
    // at is found by fstat and refused.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        contents.error = errno == ENOENT ? QStringLiteral("File not found.") : systemError(errno);
        return contents;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        contents.error = QStringLiteral("This is not a file that can be shown.");
        return contents;
    }
    // One byte past the limit tells a file that goes on; its size may say 0 and be endless.
    while (contents.bytes.size() <= limit) {
        const qint64 offset = contents.bytes.size();
        const qint64 wanted = qMin(kChunk, limit + 1 - offset);
        contents.bytes.resize(offset + wanted);
        const ssize_t count = ::read(fd, contents.bytes.data() + offset, wanted);
        if (count < 0 && errno == EINTR) {
            contents.bytes.resize(offset);
            continue;
        }
        contents.bytes.resize(offset + qMax<ssize_t>(0, count));
        if (count < 0) {
            contents.error = systemError(errno);
            break;
        }
        if (count == 0)
            break;
    }
    ::close(fd);
    if (contents.bytes.size() > limit) {
        contents.bytes.truncate(limit);
        contents.cut = true;
    }
    return contents;
}
