#include "exchange/BookmarkImport.h"

#include "exchange/ChromiumReader.h"
#include "exchange/FirefoxReader.h"
#include "exchange/FolderReader.h"
#include "exchange/NetscapeHtmlReader.h"
#include "exchange/QuietFileSystem.h"
#include "exchange/SafeName.h"
#include "exchange/UrlTreeWriter.h"
#include "exchange/XbelReader.h"
#include "platform/FileSystemService.h"

namespace {

// Far beyond any real bookmark file; keeps a wrong pick from filling the memory.
constexpr qint64 kFileLimit = 1024LL * 1024 * 1024;

} // namespace

BookmarkImport::Source BookmarkImport::Detect(const FileSystemService& fileSystem,
                                              const QString& path)
{
    if (fileSystem.FolderExists(path)) {
        if (fileSystem.FileExists(path + QStringLiteral("/places.sqlite"), 0))
            return Source::Firefox;
        if (fileSystem.FileExists(path + QStringLiteral("/Bookmarks"), 0))
            return Source::Chromium;
        return Source::Folder;
    }
    QByteArray head;
    try {
        head = fileSystem.ReadHead(path, 4096);
    } catch (const FileSystemError&) {
        return Source::Html;
    }
    if (head.startsWith("SQLite format 3"))
        return Source::Firefox;
    const QByteArray trimmed = head.trimmed();
    if (trimmed.startsWith('{'))
        return Source::Chromium;
    if (head.contains("<xbel") || head.contains("XBEL"))
        return Source::Xbel;
    return Source::Html;
}

QString BookmarkImport::Label(Source source)
{
    switch (source) {
    case Source::Firefox:
        return QStringLiteral("Firefox");
    case Source::Chromium:
        return QStringLiteral("Chromium");
    case Source::Xbel:
        return QStringLiteral("XBEL");
    case Source::Folder:
        return QStringLiteral("Favorites");
    case Source::Html:
        break;
    }
    return QStringLiteral("HTML");
}

QByteArray BookmarkImport::ReadFile(const FileSystemService& fileSystem, const QString& path,
                                    QString& error)
{
    QByteArray bytes;
    try {
        bytes = fileSystem.ReadHead(path, kFileLimit);
    } catch (const FileSystemError& failure) {
        error = failure.Description() + QStringLiteral(": ") + path;
        return {};
    }
    if (bytes.size() > kFileLimit) {
        error = QStringLiteral("The file is too large to be a bookmarks file: ") + path;
        return {};
    }
    return bytes;
}

bool BookmarkImport::Read(const FileSystemService& fileSystem, const QString& path,
                          BookmarkTree& tree, QString& error, ExchangeProgress* progress)
{
    const Source source = Detect(fileSystem, path);
    if (source == Source::Folder) {
        // The service in use may be kept to the Favorites shown; the folder merged in is
        // anywhere the user picked, and is only read.
        const QuietFileSystem reader;
        return FolderReader(reader, progress).Read(path, tree, error);
    }
    if (source == Source::Firefox)
        return FirefoxReader::Read(path, tree, error);
    const bool profile = source == Source::Chromium && fileSystem.FolderExists(path);
    const QByteArray bytes =
        ReadFile(fileSystem, profile ? path + QStringLiteral("/Bookmarks") : path, error);
    if (!error.isEmpty())
        return false;
    if (source == Source::Chromium)
        return ChromiumReader::Read(bytes, tree, error);
    if (source == Source::Xbel)
        return XbelReader::Read(bytes, tree, error);
    return NetscapeHtmlReader::Read(bytes, tree, error);
}

ImportSummary BookmarkImport::Import(const FileSystemService& fileSystem, const QString& source,
                                     const QString& target, ExchangeProgress* progress)
{
    BookmarkTree tree;
    QString error;
    if (!Read(fileSystem, source, tree, error, progress)) {
        ImportSummary summary;
        summary.Error = error;
        summary.Target = target;
        return summary;
    }
    if (progress)
        progress->Done = 0;
    return UrlTreeWriter(fileSystem, progress).Write(tree, target);
}

QString BookmarkImport::NewTarget(const FileSystemService& fileSystem, const QString& parent,
                                  const QString& label, const QDate& date)
{
    const QString name = SafeName::Make(
        QStringLiteral("Imported from %1 %2").arg(label, date.toString(Qt::ISODate)), label);
    for (int number = 1;; ++number) {
        const QString path = parent + u'/' + SafeName::Numbered(name, number, {});
        if (!fileSystem.FileExists(path, AttributeHidden | AttributeDirectory))
            return path;
    }
}
