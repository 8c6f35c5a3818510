#include "exchange/XbelReader.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace {

std::int64_t Time(const QXmlStreamAttributes& attributes, const char* name)
{
    const QDateTime time =
        QDateTime::fromString(attributes.value(QLatin1String(name)).toString(), Qt::ISODate);
    return time.isValid() ? qMax<std::int64_t>(0, time.toSecsSinceEpoch()) : 0;
}

} // namespace

bool XbelReader::Read(const QByteArray& bytes, BookmarkTree& tree, QString& error)
{
    QXmlStreamReader xml(bytes);
    // As in the HTML reader: open folders and links, each with the count of folders nested
    // too deep whose contents it takes.
    struct Level
    {
        BookmarkNode* node;
        qint64 plain;
    };
    std::vector<Level> open{{&tree.Root, 0}};
    bool root = true;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (open.back().plain > 0)
                --open.back().plain;
            else if (open.size() > 1)
                open.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (std::exchange(root, false)) {
            if (name == u"xbel")
                continue;
            error = QStringLiteral("The file is not an XBEL bookmarks file.");
            return false;
        }
        Level& top = open.back();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == u"title" && top.plain == 0 && top.node != &tree.Root) {
            top.node->Name =
                xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
        } else if (name == u"folder" && top.node->IsFolder &&
                   open.size() > std::size_t{BookmarkTree::MaxDepth}) {
            ++top.plain;
            ++tree.Flattened;
        } else if (name == u"folder" && top.node->IsFolder) {
            BookmarkNode& folder = top.node->AddFolder({});
            folder.Added = Time(attributes, "added");
            folder.Modified = Time(attributes, "modified");
            open.push_back({&folder, 0});
        } else if (name == u"bookmark" && top.node->IsFolder) {
            const QString address = attributes.value(QLatin1String("href")).toString().trimmed();
            if (address.startsWith(QLatin1String("place:"), Qt::CaseInsensitive)) {
                ++tree.Queries;
                xml.skipCurrentElement();
                continue;
            }
            BookmarkNode& link = top.node->AddLink({}, address);
            link.Added = Time(attributes, "added");
            link.Modified = Time(attributes, "modified");
            link.Visited = Time(attributes, "visited");
            open.push_back({&link, 0});
        } else {
            // Descriptions, metadata, aliases and anything unknown, with all they hold.
            if (name == u"separator")
                ++tree.Separators;
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("The XBEL file is damaged: %1 (line %2).")
                    .arg(xml.errorString())
                    .arg(xml.lineNumber());
        return false;
    }
    return true;
}
