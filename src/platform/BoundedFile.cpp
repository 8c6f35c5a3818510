#include "platform/BoundedFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace BoundedFile {

Result Read(const QString& path, qint64 limit)
{
    Result result;
    // Non-blocking, so a pipe or a terminal put in a file's place cannot stall us here.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error != ENOENT && error != ENOTDIR) {
            result.status = Result::Status::Refused;
            result.reason = QString::fromLocal8Bit(std::strerror(error));
        }
        return result;
    }
    result.status = Result::Status::Refused;
    if (::fstat(fd, &result.info) != 0 || !S_ISREG(result.info.st_mode)) {
        result.reason = QStringLiteral("It is not a regular file");
    } else if (result.info.st_size > limit) {
        result.reason = QStringLiteral("It is larger than %1 MB").arg(limit >> 20);
    } else {
        // Files under /proc claim a size of 0 and may never end: read up to the limit only.
        result.bytes.resize(qMin<qint64>(result.info.st_size, limit) + 1);
        qint64 total = 0;
        while (total <= limit) {
            if (total == result.bytes.size())
                result.bytes.resize(qMin<qint64>(total * 2, limit + 1));
            const ssize_t got = ::read(fd, result.bytes.data() + total,
                                       static_cast<size_t>(result.bytes.size() - total));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                result.reason = QString::fromLocal8Bit(std::strerror(errno));
                break;
            }
            if (got == 0) {
                result.status = Result::Status::Read;
                break;
            }
            total += got;
        }
        if (total > limit)
            result.reason = QStringLiteral("It is larger than %1 MB").arg(limit >> 20);
        result.bytes.truncate(total);
        if (result.status != Result::Status::Read)
            result.bytes.clear();
    }
    ::close(fd);
    return result;
}

} // namespace BoundedFile
