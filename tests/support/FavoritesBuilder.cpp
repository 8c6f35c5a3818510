#include "support/FavoritesBuilder.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Trimmed(const QString& relative)
{
    QString path = relative;
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

struct timespec ToTimespec(const QDateTime& when)
{
    const qint64 ms = when.toMSecsSinceEpoch();
    // Floor, so times before 1970 keep a positive nanosecond part.
    qint64 seconds = ms / 1000;
    if (ms % 1000 < 0)
        --seconds;
    struct timespec result;
    result.tv_sec = static_cast<time_t>(seconds);
    result.tv_nsec = static_cast<long>((ms - seconds * 1000) * 1000000);
    return result;
}

} // namespace

FavoritesBuilder::FavoritesBuilder(const QString& root) : m_root(Trimmed(root))
{
    if (!QDir().mkpath(m_root))
        qFatal("FavoritesBuilder: cannot make %s", qPrintable(m_root));
}

QString FavoritesBuilder::Path(const QString& relative) const
{
    const QString trimmed = Trimmed(relative);
    return trimmed.isEmpty() ? m_root : m_root + QLatin1Char('/') + trimmed;
}

FavoritesBuilder& FavoritesBuilder::Folder(const QString& relative)
{
    if (!QDir().mkpath(Path(relative)))
        qFatal("FavoritesBuilder: cannot make %s", qPrintable(Path(relative)));
    return *this;
}

FavoritesBuilder& FavoritesBuilder::Link(const QString& relative, const QString& url)
{
    Write(relative, ShortcutBytes(url));
    return *this;
}

FavoritesBuilder& FavoritesBuilder::File(const QString& relative, const QByteArray& bytes)
{
    Write(relative, bytes);
    return *this;
}

FavoritesBuilder& FavoritesBuilder::Times(const QString& relative, const QDateTime& modified,
                                          const QDateTime& accessed)
{
    const struct timespec times[2] = {ToTimespec(accessed.isValid() ? accessed : modified),
                                      ToTimespec(modified)};
    const QByteArray native = QFile::encodeName(Path(relative));
    if (::utimensat(AT_FDCWD, native.constData(), times, 0) != 0)
        qFatal("FavoritesBuilder: cannot set times of %s: %s", native.constData(),
               std::strerror(errno));
    return *this;
}

FavoritesBuilder& FavoritesBuilder::Symlink(const QString& relative, const QString& target)
{
    EnsureParent(Trimmed(relative));
    const QByteArray native = QFile::encodeName(Path(relative));
    if (::symlink(QFile::encodeName(target).constData(), native.constData()) != 0)
        qFatal("FavoritesBuilder: cannot link %s: %s", native.constData(), std::strerror(errno));
    return *this;
}

FavoritesBuilder& FavoritesBuilder::Build(const QString& description)
{
    const QString separator = QStringLiteral(" = ");
    for (const QString& rawLine : description.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype split = line.indexOf(separator);
        // Addresses often end in "/", so a shortcut is recognised before a folder.
        if (split > 0)
            Link(line.left(split).trimmed(), line.mid(split + separator.size()).trimmed());
        else if (line.endsWith(QLatin1Char('/')))
            Folder(line);
        else
            File(line);
    }
    return *this;
}

QByteArray FavoritesBuilder::Read(const QString& relative) const
{
    QFile file(Path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray FavoritesBuilder::ShortcutBytes(const QString& url)
{
    const QByteArray address = url.toUtf8();
    return "[DEFAULT]\r\nBASEURL=" + address + "\r\n[InternetShortcut]\r\nURL=" + address + "\r\n";
}

void FavoritesBuilder::EnsureParent(const QString& relative)
{
    const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
    if (slash > 0)
        Folder(relative.left(slash));
}

void FavoritesBuilder::Write(const QString& relative, const QByteArray& bytes)
{
    EnsureParent(Trimmed(relative));
    QFile file(Path(relative));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        qFatal("FavoritesBuilder: cannot write %s: %s", qPrintable(file.fileName()),
               qPrintable(file.errorString()));
}
