#include "exchange/QuietFileSystem.h"

#include "platform/PathCodec.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

QuietFileSystem::Head QuietFileSystem::ReadHeadAndDetails(const QString& path, qint64 limit) const
{
    Head head;
    const int error =
        ReadHeadAndDetailsAt(AT_FDCWD, PathCodec::Encode(path).constData(), limit, head);
    if (error != 0)
        throw FileSystemError(ErrorDescription(error, false), path);
    return head;
}

int QuietFileSystem::ReadHeadAndDetailsAt(int folderFd, const char* name, qint64 limit, Head& head)
{
    int fd = ::openat(folderFd, name, OpenFlags);
    if (fd < 0 && errno == EPERM) // only the owner may ask for O_NOATIME
        fd = ::openat(folderFd, name, OpenFlags & ~O_NOATIME);
    if (fd < 0)
        return errno;
    struct statx st;
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    const char* slash = std::strrchr(name, '/');
    head.Details = DetailsOf(st, (slash ? slash + 1 : name)[0] == '.');
    head.Plain = S_ISREG(st.stx_mode);
    if (!head.Plain) {
        ::close(fd); // pipes and devices have no head worth waiting for
        return 0;
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
    return 0;
}

QByteArray QuietFileSystem::ReadHead(const QString& path, qint64 limit) const
{
    Head head = ReadHeadAndDetails(path, limit);
    if (!head.Plain)
        return FileSystemService::ReadHead(path, limit); // let the service refuse it its way
    return std::move(head.Bytes);
}
