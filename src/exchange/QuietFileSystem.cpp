#include "exchange/QuietFileSystem.h"

#include "platform/PathCodec.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray QuietFileSystem::ReadHead(const QString& path, qint64 limit) const
{
    const QByteArray native = PathCodec::Encode(path);
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    int fd = ::open(native.constData(), kFlags | O_NOATIME);
    if (fd < 0 && errno == EPERM) // only the owner may ask for it
        fd = ::open(native.constData(), kFlags);
    if (fd < 0)
        throw FileSystemError(ErrorDescription(errno, false), path);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileSystemService::ReadHead(path, limit); // let the service refuse it its way
    }
    QByteArray bytes;
    bytes.resize(qMin<qint64>(limit + 1, qMax<qint64>(st.st_size, 0) + 1));
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
        if (got == st.st_size)
            break; // the whole file, without asking once more for the end
    }
    ::close(fd);
    bytes.truncate(got);
    return bytes;
}
