#include "health/ShortcutRewriter.h"

#include "platform/FileSystemService.h"

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

QString ShortcutRewriter::ReplaceUrl(const FileSystemService& fileSystem, const QString& path,
                                     const QString& newAddress)
{
    try {
        QByteArray bytes = fileSystem.ReadHead(path, FileSystemService::RewriteLimit);
        // Shortcuts are small; a huge file is no shortcut worth rewriting.
        if (bytes.size() > FileSystemService::RewriteLimit)
            return QStringLiteral("File too large");
        const auto [start, end] = UrlValue(bytes);
        if (start < 0)
            return QStringLiteral("No URL= line");
        QString oneLine = newAddress;
        oneLine.remove(u'\r').remove(u'\n');
        bytes.replace(start, end - start, oneLine.toUtf8());
        fileSystem.RewriteFile(path, bytes);
        return {};
    } catch (const FileSystemError& error) {
        return error.Description();
    }
}
