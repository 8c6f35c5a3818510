#include "platform/BoundedFile.h"

#include "platform/PathCodec.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace BoundedFile {

namespace {

constexpr qint64 kChunk = 64 * 1024;

void refuse(Result& result, int error, const QString& reason)
{
    result.status = Result::Status::Refused;
    result.error = error;
    result.reason = reason.isEmpty() ? QString::fromLocal8Bit(std::strerror(error)) : reason;
    result.bytes.clear();
}

} // namespace

bool IsKernelFile(int fd)
{
    struct statfs info;
    return ::fstatfs(fd, &info) == 0 &&
           (info.f_type == PROC_SUPER_MAGIC || info.f_type == SYSFS_MAGIC);
}

Result ReadHead(const QString& path, qint64 limit)
{
    Result result;
    // Non-blocking, so a pipe or a terminal put in a file's place cannot stall us here.
    const int fd =
        ::open(PathCodec::Encode(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            refuse(result, errno, {});
        return result;
    }
    if (::fstat(fd, &result.info) != 0) {
        refuse(result, errno, {});
    } else if (S_ISDIR(result.info.st_mode)) {
        refuse(result, EISDIR, QStringLiteral("It is a folder"));
    } else if (!S_ISREG(result.info.st_mode) || IsKernelFile(fd)) {
        refuse(result, EACCES, QStringLiteral("It is not a regular file"));
    } else {
        result.status = Result::Status::Read;
        // One byte past the limit tells a file that goes on.
        while (result.bytes.size() <= limit) {
            const qint64 offset = result.bytes.size();
            result.bytes.resize(offset + qMin(kChunk, limit + 1 - offset));
            const ssize_t got = ::read(fd, result.bytes.data() + offset,
                                       static_cast<size_t>(result.bytes.size() - offset));
            result.bytes.resize(offset + qMax<ssize_t>(got, 0));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                refuse(result, errno, {});
            if (got <= 0)
                break;
        }
        if (result.bytes.size() > limit) {
            result.bytes.truncate(limit);
            result.cut = true;
        }
    }
    ::close(fd);
    return result;
}

Result Read(const QString& path, qint64 limit)
{
    Result result = ReadHead(path, limit);
    if (result.cut)
        refuse(result, EFBIG, QStringLiteral("It is larger than %1 MB").arg(limit >> 20));
    return result;
}

} // namespace BoundedFile
