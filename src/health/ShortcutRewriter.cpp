#include "health/ShortcutRewriter.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Where the value of the first URL= line starts and ends; both -1 without one.
std::pair<qsizetype, qsizetype> UrlValue(const QByteArray& bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end - start >= 4 && bytes.mid(start, 4).toUpper() == "URL=")
            return {start + 4, end};
        start = end + 1;
    }
    return {-1, -1};
}

} // namespace

QString ShortcutRewriter::ReplaceUrl(const QString& path, const QString& newAddress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    // Shortcuts are small; a huge file is no shortcut worth rewriting.
    if (file.size() > 1024 * 1024)
        return QStringLiteral("File too large");
    QByteArray bytes = file.readAll();
    const auto [start, end] = UrlValue(bytes);
    if (start < 0)
        return QStringLiteral("No URL= line");
    QString oneLine = newAddress;
    oneLine.remove(u'\r').remove(u'\n');
    bytes.replace(start, end - start, oneLine.toUtf8());
    const QDateTime accessed = file.fileTime(QFileDevice::FileAccessTime);
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    // Written in place, so the file keeps its inode, owner and birth time.
    if (!file.seek(0) || file.write(bytes) != bytes.size() || !file.resize(bytes.size()) ||
        !file.flush())
        return file.errorString();
    file.setFileTime(accessed, QFileDevice::FileAccessTime);
    file.setFileTime(modified, QFileDevice::FileModificationTime);
    return {};
}
