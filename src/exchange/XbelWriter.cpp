#include "exchange/XbelWriter.h"

#include <QDateTime>
#include <QXmlStreamWriter>

namespace {

void Time(QXmlStreamWriter& xml, const char* name, std::int64_t seconds)
{
    if (seconds > 0)
        xml.writeAttribute(QLatin1String(name),
                           QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate));
}

void WriteChildren(QXmlStreamWriter& xml, const BookmarkNode& folder)
{
    for (const BookmarkNode& node : folder.Children) {
        xml.writeStartElement(node.IsFolder ? QStringLiteral("folder")
                                            : QStringLiteral("bookmark"));
        if (!node.IsFolder)
            xml.writeAttribute(QStringLiteral("href"), node.Address);
        Time(xml, "added", node.Added);
        Time(xml, "modified", node.Modified);
        Time(xml, "visited", node.Visited);
        xml.writeTextElement(QStringLiteral("title"), node.Name);
        if (node.IsFolder)
            WriteChildren(xml, node);
        xml.writeEndElement();
    }
}

} // namespace

QByteArray XbelWriter::Write(const BookmarkTree& tree)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark "
                                "Exchange Language 1.0//EN//XML\" "
                                "\"http://pyxml.sourceforge.net/topics/dtds/xbel.dtd\">"));
    xml.writeStartElement(QStringLiteral("xbel"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    WriteChildren(xml, tree.Root);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}
