#include "exchange/BookmarkExport.h"

#include "exchange/FolderReader.h"
#include "exchange/NetscapeHtmlWriter.h"
#include "exchange/XbelWriter.h"

#include <QSaveFile>

namespace {

void Count(const BookmarkNode& folder, BookmarkExport::Result& result)
{
    for (const BookmarkNode& node : folder.Children) {
        if (node.IsFolder) {
            ++result.Folders;
            Count(node, result);
        } else {
            ++result.Links;
        }
    }
}

} // namespace

QString BookmarkExport::Result::Text(const QString& file) const
{
    if (!Error.isEmpty())
        return Error;
    return QStringLiteral("Exported %L1 %2 and %L3 %4 to %5.")
        .arg(Links)
        .arg(QLatin1String(Links == 1 ? "link" : "links"))
        .arg(Folders)
        .arg(QLatin1String(Folders == 1 ? "folder" : "folders"), file);
}

BookmarkExport::Format BookmarkExport::FormatFor(const QString& formatName, const QString& file)
{
    if (formatName.isEmpty())
        return file.endsWith(QLatin1String(".xbel"), Qt::CaseInsensitive) ? Format::Xbel
                                                                          : Format::Html;
    return formatName.compare(QLatin1String("xbel"), Qt::CaseInsensitive) == 0 ? Format::Xbel
                                                                               : Format::Html;
}

QByteArray BookmarkExport::Serialize(const BookmarkTree& tree, Format format)
{
    return format == Format::Xbel ? XbelWriter::Write(tree) : NetscapeHtmlWriter::Write(tree);
}

BookmarkExport::Result BookmarkExport::Export(const FileSystemService& fileSystem,
                                              const QString& folder, const QString& file,
                                              Format format, ExchangeProgress* progress)
{
    Result result;
    BookmarkTree tree;
    if (!FolderReader(fileSystem, progress).Read(folder, tree, result.Error))
        return result;
    if (progress && progress->Cancel) {
        result.Error = QStringLiteral("Export cancelled: nothing was written.");
        return result;
    }
    Count(tree.Root, result);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(Serialize(tree, format)) < 0 || !out.commit())
        result.Error = out.errorString() + QStringLiteral(": ") + file;
    return result;
}
