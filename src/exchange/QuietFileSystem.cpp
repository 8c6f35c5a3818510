#include "exchange/QuietFileSystem.h"

#include "platform/PathCodec.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QuietFileSystem::Head QuietFileSystem::ReadHeadAndDetails(const QString& path, qint64 limit) const
{
    const QByteArray native = PathCodec::Encode(path);
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    int fd = ::open(native.constData(), kFlags | O_NOATIME);
    if (fd < 0 && errno == EPERM) // only the owner may ask for it
        fd = ::open(native.constData(), kFlags);
    if (fd < 0)
        throw FileSystemError(ErrorDescription(errno, false), path);
    Head head;
    struct statx st;
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) {
        const int error = errno;
        ::close(fd);
        throw FileSystemError(ErrorDescription(error, false), path);
    }
    head.Details = DetailsOf(st, path.at(path.lastIndexOf(QLatin1Char('/')) + 1) == u'.');
    head.Plain = S_ISREG(st.stx_mode);
    if (!head.Plain) {
        ::close(fd); // pipes and devices have no head worth waiting for
        return head;
    }
    QByteArray& bytes = head.Bytes;
    bytes.resize(qMin<qint64>(limit + 1, static_cast<qint64>(st.stx_size) + 1));
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
        if (got == static_cast<qint64>(st.stx_size))
            break; // the whole file, without asking once more for the end
    }
    ::close(fd);
    bytes.truncate(got);
    return head;
}

QByteArray QuietFileSystem::ReadHead(const QString& path, qint64 limit) const
{
    Head head = ReadHeadAndDetails(path, limit);
    if (!head.Plain)
        return FileSystemService::ReadHead(path, limit); // let the service refuse it its way
    return std::move(head.Bytes);
}
