#include "exchange/NetscapeHtmlWriter.h"

namespace {

QByteArray Dates(const BookmarkNode& node)
{
    QByteArray dates;
    if (node.Added > 0)
        dates += " ADD_DATE=\"" + QByteArray::number(node.Added) + '"';
    if (node.Modified > 0)
        dates += " LAST_MODIFIED=\"" + QByteArray::number(node.Modified) + '"';
    if (node.Visited > 0)
        dates += " LAST_VISIT=\"" + QByteArray::number(node.Visited) + '"';
    return dates;
}

void WriteFolder(const BookmarkNode& folder, int depth, QByteArray& out)
{
    const QByteArray indent(4 * depth, ' ');
    out += indent + "<DL><p>\n";
    for (const BookmarkNode& node : folder.Children) {
        const QByteArray name = NetscapeHtmlWriter::Escape(node.Name).toUtf8();
        if (node.IsFolder) {
            out += indent + "    <DT><H3" + Dates(node) + '>' + name + "</H3>\n";
            WriteFolder(node, depth + 1, out);
        } else {
            out += indent + "    <DT><A HREF=\"" +
                   NetscapeHtmlWriter::Escape(node.Address).toUtf8() + '"' + Dates(node) + '>' +
                   name + "</A>\n";
        }
    }
    out += indent + "</DL><p>\n";
}

} // namespace

QString NetscapeHtmlWriter::Escape(const QString& text)
{
    return text.toHtmlEscaped();
}

QByteArray NetscapeHtmlWriter::Write(const BookmarkTree& tree)
{
    QByteArray out = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                     "<!-- This is an automatically generated file.\n"
                     "     It will be read and overwritten.\n"
                     "     DO NOT EDIT! -->\n"
                     "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                     "<TITLE>Bookmarks</TITLE>\n"
                     "<H1>Bookmarks</H1>\n";
    WriteFolder(tree.Root, 0, out);
    return out;
}
