#include "favorites/ShortcutFile.h"

#include "app/AppInfo.h"
#include "platform/FileSystemService.h"
#include "platform/PathCodec.h"
#include "platform/Prompts.h"
#include "platform/TextCodec.h"

#include <QByteArray>
#include <QFile>
#include <QStringView>

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Real shortcuts are a few hundred bytes; this keeps a huge file from stalling a listing.
constexpr qsizetype kReadLimit = 1024 * 1024;

const QString kAlreadyExists = QStringLiteral("Link already exists in the selected folder.");

class FdGuard
{
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int Get() const { return m_fd; }
    // Hands the descriptor back so its close can be checked.
    int Release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// Reads as much as kReadLimit allows; false when the file cannot be read at all.
bool ReadHead(const QString& path, QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    // Non-blocking so that a FIFO given by mistake cannot hang the open.
    const FdGuard fd(
        ::open(PathCodec::Encode(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.Get() < 0)
        return false;
    struct stat st;
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // One byte more than the limit tells whether the file went on.
    bytes.resize(kReadLimit + 1);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got =
            ::read(fd.Get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(filled);
    if (filled > kReadLimit) {
        // The last line was cut: drop it, lest half a UTF-8 sequence spoil the decoding.
        const qsizetype lastBreak =
            qMax(bytes.lastIndexOf('\n', kReadLimit - 1), bytes.lastIndexOf('\r', kReadLimit - 1));
        bytes.resize(lastBreak < 0 ? 0 : lastBreak);
    }
    return true;
}

bool IsUrlLine(QStringView line)
{
    return line.size() >= 4 && line.left(4).toString().toUpper() == QLatin1String("URL=");
}

// Reads like the messages the file-system layer gives for the same failures.
QString Describe(int error)
{
    // Writing a file: a missing part of its path is the folder's problem.
    return FileSystemService::ErrorDescription(error, true);
}

bool WriteAll(int fd, const QByteArray& bytes, int& error)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t put =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        written += put;
    }
    return true;
}

} // namespace

QString ShortcutFile::ReadShortcutURL(const QString& path)
{
    QByteArray bytes;
    if (!ReadHead(path, bytes))
        return {};
    const QString text = TextCodec::Decode(bytes);
    // CR LF, LF and a lone CR all end a line; the empty lines this yields never match.
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') &&
               text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        if (IsUrlLine(line))
            return line.mid(4).toString();
        start = end + 1;
    }
    return {};
}

bool ShortcutFile::WriteShortcut(Prompts& prompts, QWidget* owner, const QString& address,
                                 const QString& path)
{
    const QString title = AppInfo::ProductName;
    const QByteArray native = PathCodec::Encode(path);
    // Whatever is there, even a hidden file or a dangling link, is someone's data.
    struct stat st;
    if (!path.isEmpty() && ::lstat(native.constData(), &st) == 0) {
        prompts.Warn(owner, kAlreadyExists, title);
        return false;
    }

    QString oneLine = address;
    oneLine.remove(QLatin1Char('\r'));
    oneLine.remove(QLatin1Char('\n'));
    const QByteArray value = oneLine.toUtf8();
    const QByteArray bytes =
        "[DEFAULT]\r\nBASEURL=" + value + "\r\n[InternetShortcut]\r\nURL=" + value + "\r\n";

    // O_EXCL: a file that appeared since the check above is refused, not overwritten.
    FdGuard fd(
        ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (fd.Get() < 0) {
        prompts.Warn(owner, Describe(errno), title);
        return false;
    }
    int error = 0;
    bool ok = WriteAll(fd.Get(), bytes, error);
    // Some file systems only report a failed write when the file is closed.
    if (::close(fd.Release()) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(native.constData());
        prompts.Warn(owner, Describe(error), title);
        return false;
    }
    return true;
}

bool ShortcutFile::FileExists(const QString& path, int attributes)
{
    const FileSystemService fileSystem;
    return fileSystem.FileExists(path, attributes);
}
