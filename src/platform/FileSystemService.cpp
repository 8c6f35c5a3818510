#include "platform/FileSystemService.h"

#include "platform/BoundedFile.h"
#include "platform/PathCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimeZone>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <system_error>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

FileSystemError::FileSystemError(const QString& description, const QString& path)
    : std::runtime_error((description + QStringLiteral(": ") + path).toStdString()),
      m_description(description), m_path(path)
{
}

namespace {

// What a missing entry was expected to be decides between the two "not found" texts.
enum class Subject
{
    Folder,
    File
};

QString DescribeError(int error, bool folder)
{
    switch (error) {
    case ENOENT:
        return folder ? QStringLiteral("Path not found") : QStringLiteral("File not found");
    case ENOTDIR:
        return QStringLiteral("Path not found");
    case EEXIST:
        return QStringLiteral("File already exists");
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOTEMPTY:
    case EISDIR:
        return QStringLiteral("Permission denied");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Disk full");
    default:
        return QString::fromLocal8Bit(std::generic_category().message(error));
    }
}

[[noreturn]] void Fail(int error, Subject subject, const QString& path)
{
    throw FileSystemError(FileSystemService::ErrorDescription(error, subject == Subject::Folder),
                          path);
}

[[noreturn]] void Fail(int error, Subject subject, const QByteArray& nativePath)
{
    Fail(error, subject, PathCodec::Decode(nativePath));
}

QByteArray Native(const QString& path)
{
    return PathCodec::Encode(path);
}

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool IsHiddenName(const QString& name)
{
    return name.startsWith(QLatin1Char('.'));
}

int StatAt(int dirFd, const char* name, int flags, unsigned mask, struct statx& st)
{
    return statx(dirFd, name, flags, mask, &st) == 0 ? 0 : errno;
}

// Follows links; a dangling or looping link reports the link itself, since it still
// shows up in its folder as a file.
int StatEntry(int dirFd, const char* name, unsigned mask, struct statx& st)
{
    int error = StatAt(dirFd, name, 0, mask, st);
    if (error == ENOENT || error == ELOOP)
        error = StatAt(dirFd, name, AT_SYMLINK_NOFOLLOW, mask, st);
    return error;
}

FolderId IdOf(const struct statx& st)
{
    return {static_cast<std::uint64_t>(makedev(st.stx_dev_major, st.stx_dev_minor)),
            static_cast<std::uint64_t>(st.stx_ino)};
}

std::int64_t Milliseconds(const struct statx_timestamp& t)
{
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

constexpr unsigned kDetailsMask = STATX_BASIC_STATS | STATX_BTIME;

struct DirCloser
{
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

DirHandle OpenFolder(const QByteArray& nativePath)
{
    DirHandle dir(opendir(nativePath.constData()));
    if (!dir)
        Fail(errno, Subject::Folder, nativePath);
    return dir;
}

// Calls visit(dirFd, name, d_type) for every entry but "." and "..", in disk order.
template <typename Visit> void ForEachEntry(const QString& folderPath, Visit visit)
{
    const QByteArray native = Native(folderPath);
    const DirHandle dir = OpenFolder(native);
    const int fd = dirfd(dir.get());
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                Fail(errno, Subject::Folder, folderPath);
            return;
        }
        if (!IsDotOrDotDot(entry->d_name))
            visit(fd, entry->d_name, entry->d_type);
    }
}

// What a child's name is appended to; "/" must not become "//".
QString ChildPrefix(const QString& folderPath)
{
    QString prefix = folderPath;
    while (prefix.size() > 1 && prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    if (prefix != QLatin1String("/"))
        prefix += QLatin1Char('/');
    return prefix;
}

template <typename T> void SortByName(QList<T>& items)
{
    std::sort(items.begin(), items.end(),
              [](const T& a, const T& b) { return FileSystemService::LessByName(a.Name, b.Name); });
}

// Closes a descriptor on every way out.
struct FdGuard
{
    int fd = -1;
    ~FdGuard()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool WriteAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Copies one file's bytes, permission bits and times, as a copy in Explorer keeps the
// modified date. Without replace an existing destination is an error and stays untouched.
constexpr off_t kGrowthAllowed = 1024 * 1024;

void CopyFileContents(const QByteArray& from, const QByteArray& to, bool replace)
{
    // Non-blocking so that a named pipe cannot hang the copy before it is refused.
    FdGuard in{::open(from.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (in.fd < 0)
        Fail(errno, Subject::File, from);
    struct stat source;
    if (::fstat(in.fd, &source) != 0)
        Fail(errno, Subject::File, from);
    if (S_ISDIR(source.st_mode))
        Fail(ENOENT, Subject::File, from);
    if (!S_ISREG(source.st_mode) || BoundedFile::IsKernelFile(in.fd))
        Fail(EACCES, Subject::File, from);
    // A file that grows while copied, or never ends, is cut off at what it claimed.
    const off_t largest = source.st_size + kGrowthAllowed;

    bool existed = false;
    if (replace) {
        struct stat target;
        if (::stat(to.constData(), &target) == 0) {
            existed = true;
            if (S_ISDIR(target.st_mode))
                Fail(EISDIR, Subject::File, to);
            // Truncating the destination would destroy the source.
            if (target.st_dev == source.st_dev && target.st_ino == source.st_ino)
                Fail(EACCES, Subject::File, to);
            // Root could write anyway; the permission bits say what the owner meant.
            if (!(target.st_mode & S_IWUSR))
                Fail(EACCES, Subject::File, to);
        }
    }

    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (replace ? O_TRUNC : O_EXCL);
    FdGuard out{::open(to.constData(), flags, source.st_mode & 0777)};
    if (out.fd < 0)
        Fail(errno, errno == ENOENT ? Subject::Folder : Subject::File, to);

    auto abandon = [&](int error, const QByteArray& blame) {
        ::close(out.fd);
        out.fd = -1;
        if (!existed)
            ::unlink(to.constData());
        Fail(error, Subject::File, blame);
    };

    std::vector<char> buffer(64 * 1024);
    for (off_t copied = 0;;) {
        const ssize_t got = ::read(in.fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            abandon(errno, from);
        }
        if (got == 0)
            break;
        if ((copied += got) > largest)
            abandon(EFBIG, from);
        if (!WriteAll(out.fd, buffer.data(), got))
            abandon(errno, to);
    }
    ::fchmod(out.fd, source.st_mode & 0777);
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    ::futimens(out.fd, times);
    const int closed = ::close(out.fd);
    out.fd = -1;
    if (closed != 0)
        abandon(errno, to);
}

QByteArray ReadLink(const QByteArray& path)
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink(path.constData(), buffer.data(), buffer.size());
        if (length < 0)
            Fail(errno, Subject::File, path);
        if (static_cast<size_t>(length) < buffer.size())
            return QByteArray(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

// Copies a symbolic link as a link, so a link back up the tree cannot make the copy endless.
void CopyLink(const QByteArray& from, const QByteArray& to, bool replace)
{
    const QByteArray target = ReadLink(from);
    if (::symlink(target.constData(), to.constData()) == 0)
        return;
    if (errno != EEXIST || !replace)
        Fail(errno, Subject::File, to);
    struct stat existing;
    if (::lstat(to.constData(), &existing) != 0)
        Fail(errno, Subject::File, to);
    if (S_ISDIR(existing.st_mode))
        Fail(EEXIST, Subject::File, to);
    if (::unlink(to.constData()) != 0 || ::symlink(target.constData(), to.constData()) != 0)
        Fail(errno, Subject::File, to);
}

// Makes a folder to copy into; an existing folder is merged into.
void EnsureFolder(const QByteArray& path)
{
    if (::mkdir(path.constData(), 0777) == 0)
        return;
    const int error = errno;
    struct stat existing;
    if (error != EEXIST)
        Fail(error, Subject::Folder, path);
    if (::stat(path.constData(), &existing) != 0 || !S_ISDIR(existing.st_mode))
        Fail(EEXIST, Subject::Folder, path);
}

// Copies what lies in from into the existing folder to, replacing files of the same name.
void CopyTree(const QByteArray& from, const QByteArray& to)
{
    const DirHandle dir = OpenFolder(from);
    const int fd = dirfd(dir.get());
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                Fail(errno, Subject::Folder, from);
            return;
        }
        const char* name = entry->d_name;
        if (IsDotOrDotDot(name))
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno == ENOENT)
                    continue;
                Fail(errno, Subject::File, from + '/' + name);
            }
            type = IFTODT(st.st_mode);
        }
        const QByteArray source = from + '/' + name;
        const QByteArray destination = to + '/' + name;
        switch (type) {
        case DT_DIR:
            EnsureFolder(destination);
            CopyTree(source, destination);
            break;
        case DT_LNK:
            CopyLink(source, destination, true);
            break;
        case DT_REG:
            CopyFileContents(source, destination, true);
            break;
        default:
            // Pipes, sockets and devices have no place among Favorites.
            break;
        }
    }
}

// Removes a file, or with kept given leaves it when it is read-only and names it there.
int RemoveFileAt(int parentFd, const char* name, const QString& relative, QStringList* kept)
{
    struct stat st;
    if (kept && ::fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        !(st.st_mode & S_IWUSR)) {
        kept->append(relative);
        return 0;
    }
    return ::unlinkat(parentFd, name, 0) == 0 ? 0 : errno;
}

// Removes name under parentFd with everything in it, never entering a link. 0 or the errno.
// With kept given, read-only files are not forced: they stay, named in kept (relative to
// the top), and so do the folders holding them. Hand-made because
// std::filesystem::remove_all is several times slower on big trees.
int RemoveTreeAt(int parentFd, const char* name, const QString& relative, QStringList* kept)
{
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOTDIR && errno != ELOOP)
            return errno;
        return RemoveFileAt(parentFd, name, relative, kept);
    }
    DirHandle dir(::fdopendir(fd));
    if (!dir) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    const qsizetype keptBefore = kept ? kept->size() : 0;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                return errno;
            break;
        }
        if (IsDotOrDotDot(entry->d_name))
            continue;
        const QString child = kept ? relative + u'/' + PathCodec::Decode(entry->d_name) : QString();
        const int error = entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN
                              ? RemoveTreeAt(fd, entry->d_name, child, kept)
                              : RemoveFileAt(fd, entry->d_name, child, kept);
        if (error != 0 && error != ENOENT)
            return error;
    }
    dir.reset();
    if (kept && kept->size() > keptBefore)
        return 0; // not empty: what stayed is reported from the top
    return ::unlinkat(parentFd, name, AT_REMOVEDIR) == 0 ? 0 : errno;
}

void ThrowIfKept(const QStringList& kept, const QString& path)
{
    if (kept.isEmpty())
        return;
    const qsizetype shown = qMin<qsizetype>(kept.size(), 10);
    QString description = QStringLiteral("Read-only items were not deleted:");
    for (qsizetype i = 0; i < shown; ++i)
        description += QStringLiteral("\r\n") + kept.at(i);
    if (kept.size() > shown)
        description += QStringLiteral("\r\n(and %1 more)").arg(kept.size() - shown);
    throw FileSystemError(description, path);
}

// A plain file the owner may not write, as RemoveFileAt keeps it.
bool IsReadOnlyFile(const QFileInfo& info)
{
    return info.isFile() && !info.isSymLink() && !(info.permissions() & QFile::WriteOwner);
}

QList<QFileInfo> Children(const QString& folder)
{
    return QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot);
}

bool HoldsReadOnlyFile(const QString& folder)
{
    const QList<QFileInfo> children = Children(folder);
    return std::any_of(children.cbegin(), children.cend(), [](const QFileInfo& child) {
        return IsReadOnlyFile(child) ||
               (child.isDir() && !child.isSymLink() && HoldsReadOnlyFile(child.filePath()));
    });
}

// Returns where the item now lies in the Trash.
QString TrashOne(const QString& path)
{
    // Qt makes the home Trash folder but not the data folder above it.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QFile item(path);
    // Qt follows the freedesktop.org Trash layout: files/ plus a .trashinfo with the
    // original place, in the home Trash or the one at the top of the item's file system.
    if (!item.moveToTrash())
        throw TrashError(QStringLiteral("The Trash cannot take this item."), path);
    // Qt 6.4, finding no Trash it can use, moves the item into "files" below the working
    // folder instead of failing: bring it back.
    if (QDir::isRelativePath(item.fileName())) {
        ::rename(Native(item.fileName()).constData(), Native(path).constData());
        QFile::remove(QStringLiteral("info/") + FileSystemService::GetFileName(item.fileName()) +
                      QStringLiteral(".trashinfo"));
        // Only when empty, as Qt just made them.
        QDir().rmdir(QStringLiteral("files"));
        QDir().rmdir(QStringLiteral("info"));
        throw TrashError(QStringLiteral("The Trash cannot take this item."), path);
    }
    return item.fileName();
}

using Trashed = std::function<void(const QString& original, const QString& inTrash)>;

// What a delete for good would remove goes to the Trash: whole where nothing inside is
// read-only, else item by item around the read-only files, which stay named in kept.
void TrashTree(const QString& path, const QString& relative, QStringList& kept,
               const Trashed& trashed)
{
    if (!HoldsReadOnlyFile(path)) {
        trashed(path, TrashOne(path));
        return;
    }
    for (const QFileInfo& child : Children(path)) {
        const QString name = relative + u'/' + child.fileName();
        if (child.isDir() && !child.isSymLink())
            TrashTree(child.filePath(), name, kept, trashed);
        else if (IsReadOnlyFile(child))
            kept.append(name);
        else
            trashed(child.filePath(), TrashOne(child.filePath()));
    }
}

// Everything goes, read-only files too: the tree was copied whole, or is our own copy.
int RemoveTree(const QByteArray& path)
{
    return RemoveTreeAt(AT_FDCWD, path.constData(), QString(), nullptr);
}

// A symbolic link to a folder counts as a folder, as in the listings.
bool IsFolder(const QByteArray& path, const struct stat& linkStat)
{
    if (S_ISDIR(linkStat.st_mode))
        return true;
    struct stat target;
    return S_ISLNK(linkStat.st_mode) && ::stat(path.constData(), &target) == 0 &&
           S_ISDIR(target.st_mode);
}

// Where path leads with every link resolved; a last component that does not exist yet is
// kept as named. Empty when even the parent cannot be resolved.
QByteArray Resolved(const QString& path)
{
    auto real = [](const QByteArray& p) {
        char* resolved = ::realpath(p.isEmpty() ? "." : p.constData(), nullptr);
        if (!resolved)
            return QByteArray();
        QByteArray result(resolved);
        std::free(resolved);
        return result;
    };
    const QByteArray whole = real(Native(path));
    if (!whole.isEmpty())
        return whole;
    const QByteArray parent = real(Native(FileSystemService::ParentFolder(path)));
    if (parent.isEmpty())
        return {};
    return (parent.endsWith('/') ? parent : parent + '/') +
           Native(FileSystemService::GetFileName(path));
}

// Copying or moving a folder into itself would never end.
bool LeadsInside(const QString& folder, const QString& destination)
{
    const QByteArray outer = Resolved(folder);
    const QByteArray inner = Resolved(destination);
    if (outer.isEmpty() || inner.isEmpty())
        return false;
    return inner == outer || inner.startsWith(outer.endsWith('/') ? outer : outer + '/');
}

// rename that never replaces; 0 or the errno.
int RenameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    // Some file systems do not know the flag; check first and accept the small race.
    struct stat existing;
    if (::lstat(to.constData(), &existing) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// Which path a failed rename is reported against.
const QString& Blame(int error, const QString& source, const QString& destination)
{
    return error == EEXIST || error == ENOENT || error == ENOTDIR ? destination : source;
}

bool Exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace

void FileSystemService::ConfineTo(const QString& root)
{
    m_root = root.isEmpty() ? QString() : QDir::cleanPath(root);
}

bool FileSystemService::IsInside(const QString& path, const QString& root)
{
    // ".." goes up through whatever a link leads to, so its text proves nothing.
    if (root.isEmpty() || !path.startsWith(u'/') || path.split(u'/').contains(QLatin1String("..")))
        return false;
    const QString base = QDir::cleanPath(root);
    const QString clean = QDir::cleanPath(path);
    if (base == QLatin1String("/"))
        return true;
    return clean.startsWith(base) && (clean.size() == base.size() || clean.at(base.size()) == u'/');
}

void FileSystemService::checkInside(const QString& path) const
{
    if (!m_root.isEmpty() && !IsInside(path, m_root))
        throw FileSystemError(QStringLiteral("Path is outside the Favorites folder"), path);
}

bool FileSystemService::FolderExists(const QString& path) const
{
    if (path.isEmpty())
        return false;
    struct statx st;
    return StatAt(AT_FDCWD, Native(path).constData(), 0, STATX_TYPE, st) == 0 &&
           S_ISDIR(st.stx_mode);
}

bool FileSystemService::FileExists(const QString& path, int attributes) const
{
    if (path.isEmpty())
        return false;
    if (!(attributes & AttributeHidden) && IsHiddenName(GetFileName(path)))
        return false;
    struct statx st;
    if (StatEntry(AT_FDCWD, Native(path).constData(), STATX_TYPE, st) != 0)
        return false;
    if (S_ISDIR(st.stx_mode))
        return (attributes & AttributeDirectory) != 0;
    return true;
}

QList<FsItem> FileSystemService::SubFolders(const QString& folderPath) const
{
    return listFolder(folderPath, true, false).SubFolders;
}

QList<FsItem> FileSystemService::Files(const QString& folderPath) const
{
    return listFolder(folderPath, false, true).Files;
}

FolderListing FileSystemService::Listing(const QString& folderPath) const
{
    return listFolder(folderPath, true, true);
}

FolderListing FileSystemService::listFolder(const QString& folderPath, bool folders,
                                            bool files) const
{
    checkInside(folderPath);
    FolderListing listing;
    const QString prefix = ChildPrefix(folderPath);
    ForEachEntry(folderPath, [&](int fd, const char* name, unsigned char type) {
        const bool plain = type != DT_DIR && type != DT_LNK && type != DT_UNKNOWN;
        if (plain) {
            if (files) {
                const QString decoded = PathCodec::Decode(name);
                listing.Files.append({decoded, prefix + decoded, {}});
            }
            return;
        }
        // One stat, following links: it tells a link's kind and gives the identity.
        struct statx st;
        int error = StatAt(fd, name, 0, STATX_TYPE | STATX_INO, st);
        if (error == ENOENT || error == ELOOP) {
            // Gone since it was listed, or a dangling link, which is a file.
            if (!files)
                return;
            error = StatAt(fd, name, AT_SYMLINK_NOFOLLOW, STATX_TYPE, st);
            if (error == ENOENT)
                return;
        }
        const QString decoded = PathCodec::Decode(name);
        if (error != 0)
            Fail(error, type == DT_DIR ? Subject::Folder : Subject::File, prefix + decoded);
        if (S_ISDIR(st.stx_mode)) {
            if (folders)
                listing.SubFolders.append({decoded, prefix + decoded, IdOf(st)});
        } else if (files) {
            listing.Files.append({decoded, prefix + decoded, {}});
        }
    });
    SortByName(listing.SubFolders);
    SortByName(listing.Files);
    return listing;
}

QDateTime FsDetails::LocalTime(std::int64_t time)
{
    // The system zone read once: Qt::LocalTime would ask the C library, which looks at
    // the zone file again for every date.
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    return QDateTime::fromMSecsSinceEpoch(time, zone);
}

FolderContents FileSystemService::Contents(const QString& folderPath) const
{
    checkInside(folderPath);
    FolderContents contents;
    const QString prefix = ChildPrefix(folderPath);
    ForEachEntry(folderPath, [&](int fd, const char* name, unsigned char) {
        struct statx st;
        const int error = StatEntry(fd, name, kDetailsMask, st);
        if (error == ENOENT)
            return;
        const QString decoded = PathCodec::Decode(name);
        if (error != 0)
            Fail(error, Subject::File, prefix + decoded);
        FsEntry entry{decoded, prefix + decoded, DetailsOf(st, name[0] == '.'), IdOf(st)};
        (S_ISDIR(st.stx_mode) ? contents.SubFolders : contents.Files).append(std::move(entry));
    });
    SortByName(contents.SubFolders);
    SortByName(contents.Files);
    return contents;
}

FsDetails FileSystemService::DetailsOf(const struct statx& st, bool hidden)
{
    FsDetails details;
    details.Modified = Milliseconds(st.stx_mtime);
    details.Accessed = Milliseconds(st.stx_atime);
    details.Created = (st.stx_mask & STATX_BTIME) ? Milliseconds(st.stx_btime) : details.Modified;
    const bool folder = S_ISDIR(st.stx_mode);
    int attributes = 0;
    if (!(st.stx_mode & S_IWUSR))
        attributes |= AttributeReadOnly;
    if (hidden)
        attributes |= AttributeHidden;
    if (folder)
        attributes |= AttributeDirectory;
    details.Attributes = attributes;
    // A folder's own size on disk means nothing to anyone looking at Favorites.
    details.Size = folder ? 0 : static_cast<std::int64_t>(st.stx_size);
    return details;
}

FsDetails FileSystemService::Details(const QString& path) const
{
    struct statx st;
    const int error = StatEntry(AT_FDCWD, Native(path).constData(), kDetailsMask, st);
    if (error != 0)
        Fail(error, Subject::File, path);
    return DetailsOf(st, IsHiddenName(GetFileName(path)));
}

FolderId FileSystemService::Identity(const QString& folderPath) const
{
    struct statx st;
    const int error = StatAt(AT_FDCWD, Native(folderPath).constData(), 0, STATX_INO, st);
    if (error != 0)
        Fail(error, Subject::Folder, folderPath);
    return IdOf(st);
}

void FileSystemService::CopyFile(const QString& source, const QString& destination) const
{
    // Only a new file can be taken back by removing it.
    const bool fresh = !Exists(Native(destination));
    CopyFileContents(Native(source), Native(destination), true);
    if (fresh)
        record(FsChange::Kind::Copied, source, destination);
}

void FileSystemService::MoveFile(const QString& source, const QString& destination) const
{
    checkInside(source);
    const QByteArray from = Native(source);
    const QByteArray to = Native(destination);
    struct stat st;
    if (::lstat(from.constData(), &st) != 0)
        Fail(errno, Subject::File, source);
    if (IsFolder(from, st))
        Fail(ENOENT, Subject::File, source);
    const int error = RenameNoReplace(from, to);
    if (error == 0) {
        record(FsChange::Kind::Moved, source, destination);
        return;
    }
    if (error != EXDEV)
        Fail(error, error == ENOENT ? Subject::Folder : Subject::File,
             Blame(error, source, destination));

    // Another device: copy without replacing anything, then remove the original.
    if (S_ISLNK(st.st_mode))
        CopyLink(from, to, false);
    else
        CopyFileContents(from, to, false);
    if (::unlink(from.constData()) != 0) {
        const int unlinkError = errno;
        ::unlink(to.constData());
        Fail(unlinkError, Subject::File, source);
    }
    record(FsChange::Kind::Moved, source, destination);
}

void FileSystemService::CopyFolder(const QString& source, const QString& destination) const
{
    const QByteArray from = Native(source);
    const QByteArray to = Native(destination);
    struct stat st;
    if (::stat(from.constData(), &st) != 0)
        Fail(errno, Subject::Folder, source);
    if (!S_ISDIR(st.st_mode))
        Fail(ENOENT, Subject::Folder, source);
    if (LeadsInside(source, destination))
        Fail(EACCES, Subject::Folder, destination);
    const bool fresh = !Exists(to);
    EnsureFolder(to);
    CopyTree(from, to);
    if (fresh)
        record(FsChange::Kind::Copied, source, destination);
}

void FileSystemService::MoveFolder(const QString& source, const QString& destination) const
{
    checkInside(source);
    const QByteArray from = Native(source);
    const QByteArray to = Native(destination);
    struct stat st;
    if (::lstat(from.constData(), &st) != 0)
        Fail(errno, Subject::Folder, source);
    if (!IsFolder(from, st))
        Fail(ENOENT, Subject::Folder, source);
    struct stat existing;
    if (::lstat(to.constData(), &existing) == 0)
        Fail(EEXIST, Subject::Folder, destination);
    // A link moves as itself wherever it goes, even into the folder it points to.
    if (!S_ISLNK(st.st_mode) && LeadsInside(source, destination))
        Fail(EACCES, Subject::Folder, destination);
    const int error = RenameNoReplace(from, to);
    if (error == 0) {
        record(FsChange::Kind::Moved, source, destination);
        return;
    }
    if (error != EXDEV)
        Fail(error, Subject::Folder, Blame(error, source, destination));

    // Another device: copy everything, and only then remove the original.
    if (S_ISLNK(st.st_mode)) {
        CopyLink(from, to, false);
        if (::unlink(from.constData()) != 0) {
            const int unlinkError = errno;
            ::unlink(to.constData());
            Fail(unlinkError, Subject::Folder, source);
        }
        record(FsChange::Kind::Moved, source, destination);
        return;
    }
    if (::mkdir(to.constData(), 0777) != 0)
        Fail(errno, Subject::Folder, destination);
    try {
        CopyTree(from, to);
    } catch (const FileSystemError&) {
        RemoveTree(to);
        throw;
    }
    if (const int removeError = RemoveTree(from))
        Fail(removeError, Subject::Folder, source);
    record(FsChange::Kind::Moved, source, destination);
}

QByteArray FileSystemService::ReadHead(const QString& path, qint64 limit) const
{
    // The extra byte tells the caller that the file went on.
    const BoundedFile::Result read = BoundedFile::ReadHead(path, limit + 1);
    if (read.status == BoundedFile::Result::Status::Missing)
        Fail(ENOENT, Subject::File, path);
    if (read.status == BoundedFile::Result::Status::Refused)
        Fail(read.error == EISDIR ? ENOENT : read.error, Subject::File, path);
    return read.bytes;
}

void FileSystemService::CreateNewFile(const QString& path, const QByteArray& bytes) const
{
    const QByteArray native = Native(path);
    // O_EXCL refuses whatever is there, a dangling link included.
    FdGuard out{
        ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666)};
    if (out.fd < 0)
        Fail(errno, errno == ENOENT ? Subject::Folder : Subject::File, path);
    bool written = WriteAll(out.fd, bytes.constData(), bytes.size());
    int error = errno;
    // Some file systems only report a failed write when the file is closed.
    if (::close(std::exchange(out.fd, -1)) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(native.constData());
        Fail(error, Subject::File, path);
    }
    record(FsChange::Kind::CreatedFile, {}, path, bytes);
}

void FileSystemService::RewriteFile(const QString& path, const QByteArray& bytes) const
{
    checkInside(path);
    const QByteArray before = ReadHead(path, RewriteLimit);
    if (before.size() > RewriteLimit)
        Fail(EFBIG, Subject::File, path);
    FdGuard file{::open(Native(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY)};
    struct stat st;
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0)
        Fail(errno, Subject::File, path);
    if (!WriteAll(file.fd, bytes.constData(), bytes.size()) ||
        ::ftruncate(file.fd, bytes.size()) != 0)
        Fail(errno, Subject::File, path);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(file.fd, times);
    if (::close(std::exchange(file.fd, -1)) != 0)
        Fail(errno, Subject::File, path);
    record(FsChange::Kind::Rewritten, {}, path, bytes, before);
}

void FileSystemService::CreateFolder(const QString& path) const
{
    if (::mkdir(Native(path).constData(), 0777) != 0)
        Fail(errno, Subject::Folder, path);
    record(FsChange::Kind::CreatedFolder, {}, path);
}

void FileSystemService::DeleteFolder(const QString& path) const
{
    checkInside(path);
    const QByteArray native = Native(path);
    struct stat st;
    if (::lstat(native.constData(), &st) != 0)
        Fail(errno, Subject::Folder, path);
    if (!IsFolder(native, st))
        Fail(ENOENT, Subject::Folder, path);
    // A link to a folder goes by itself; what it points to is not part of this tree.
    if (S_ISLNK(st.st_mode)) {
        if (::unlink(native.constData()) != 0)
            Fail(errno, Subject::Folder, path);
        return;
    }
    QStringList kept;
    if (const int error = RemoveTreeAt(AT_FDCWD, native.constData(), GetFileName(path), &kept))
        Fail(error, Subject::Folder, path);
    ThrowIfKept(kept, path);
}

void FileSystemService::DeleteFile(const QString& path) const
{
    checkInside(path);
    const QByteArray native = Native(path);
    struct stat st;
    if (::lstat(native.constData(), &st) != 0)
        Fail(errno, Subject::File, path);
    if (IsFolder(native, st))
        Fail(ENOENT, Subject::File, path);
    if (::unlink(native.constData()) != 0)
        Fail(errno, Subject::File, path);
}

QList<FsChange> FileSystemService::MoveToTrash(const QString& path) const
{
    checkInside(path);
    struct stat st;
    if (::lstat(Native(path).constData(), &st) != 0)
        Fail(errno, Subject::File, path);
    QList<FsChange> pieces;
    const Trashed trashed = [&](const QString& original, const QString& inTrash) {
        pieces.append({FsChange::Kind::Trashed, original, inTrash, {}, {}});
        record(FsChange::Kind::Trashed, original, inTrash);
    };
    if (!S_ISDIR(st.st_mode)) {
        trashed(path, TrashOne(path));
        return pieces;
    }
    QStringList kept;
    TrashTree(path, GetFileName(path), kept, trashed);
    ThrowIfKept(kept, path);
    return pieces;
}

void FileSystemService::RestoreFromTrash(const QString& inTrash, const QString& original) const
{
    checkInside(original);
    if (const int error = RenameNoReplace(Native(inTrash), Native(original)))
        Fail(error, Subject::File, Blame(error, inTrash, original));
    // The Trash keeps what it knows of the item in info/NAME.trashinfo beside files/.
    const QString files = ParentFolder(inTrash);
    if (GetFileName(files) == QLatin1String("files"))
        QFile::remove(ParentFolder(files) + QStringLiteral("/info/") + GetFileName(inTrash) +
                      QStringLiteral(".trashinfo"));
}

void FileSystemService::BeginStep(const QString& name) const
{
    if (m_stepDepth++ == 0) {
        m_stepName = name;
        m_stepChanges.clear();
    }
}

void FileSystemService::EndStep() const
{
    if (--m_stepDepth > 0)
        return;
    if (m_sink && !m_stepChanges.isEmpty())
        m_sink->Commit(m_stepName, m_stepChanges);
    m_stepChanges.clear();
}

void FileSystemService::record(FsChange::Kind what, const QString& from, const QString& to,
                               const QByteArray& bytes, const QByteArray& before) const
{
    if (m_sink && m_stepDepth > 0)
        m_stepChanges.append({what, from, to, bytes, before});
}

QString FileSystemService::GetBaseName(const QString& pathOrName)
{
    // A backslash is an ordinary character of a Linux name ("AC\DC Live.url").
    auto isSeparator = [](QChar c) { return c == QLatin1Char('/'); };
    qsizetype end = pathOrName.size();
    while (end > 0 && isSeparator(pathOrName[end - 1]))
        --end;
    qsizetype start = end;
    while (start > 0 && !isSeparator(pathOrName[start - 1]))
        --start;
    const QStringView name = QStringView(pathOrName).mid(start, end - start);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? name : name.left(dot)).toString();
}

QString FileSystemService::GetFileName(const QString& path)
{
    qsizetype end = path.size();
    while (end > 0 && path[end - 1] == QLatin1Char('/'))
        --end;
    if (end == 0)
        return {};
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), end - 1);
    return path.mid(slash + 1, end - slash - 1);
}

QString FileSystemService::ParentFolder(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    if (slash == 0)
        return QStringLiteral("/");
    return path.left(slash);
}

bool FileSystemService::LessByName(const QString& a, const QString& b)
{
    // Most names are ASCII: fold those by hand, and leave the rest to Qt's folding.
    const qsizetype common = std::min(a.size(), b.size());
    const QChar* x = a.constData();
    const QChar* y = b.constData();
    qsizetype i = 0;
    for (; i < common; ++i) {
        char16_t c = x[i].unicode();
        char16_t d = y[i].unicode();
        if (c == d)
            continue;
        if (c >= 0x80 || d >= 0x80)
            break;
        if (c >= u'A' && c <= u'Z')
            c += 0x20;
        if (d >= u'A' && d <= u'Z')
            d += 0x20;
        if (c != d)
            return c < d;
    }
    if (i == common && a.size() != b.size())
        return a.size() < b.size();
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

QString FileSystemService::ErrorDescription(int error, bool folder)
{
    return DescribeError(error, folder);
}
