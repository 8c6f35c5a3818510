#include "exchange/NetscapeHtmlWriter.h"

#include <charconv>

namespace {

// Bytes straight into the file's text: an export of a large tree writes some ten
// megabytes, and building a string for every piece of every line costs more than the rest.
void AppendEscaped(QByteArray& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    qsizetype from = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char* entity = nullptr;
        switch (utf8[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '"':
            entity = "&quot;";
            break;
        default:
            continue;
        }
        out.append(utf8.constData() + from, i - from).append(entity);
        from = i + 1;
    }
    out.append(utf8.constData() + from, utf8.size() - from);
}

void AppendDate(QByteArray& out, const char* attribute, std::int64_t seconds)
{
    if (seconds <= 0)
        return;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, seconds).ptr;
    out.append(attribute).append(digits, end - digits).append('"');
}

void AppendDates(QByteArray& out, const BookmarkNode& node)
{
    AppendDate(out, " ADD_DATE=\"", node.Added);
    AppendDate(out, " LAST_MODIFIED=\"", node.Modified);
    AppendDate(out, " LAST_VISIT=\"", node.Visited);
}

// About what a folder's lines take: the texts, and some eighty bytes of markup and dates.
qsizetype SizeOf(const BookmarkNode& folder)
{
    qsizetype size = 0;
    for (const BookmarkNode& node : folder.Children)
        size += node.Name.size() + node.Address.size() + 80 + (node.IsFolder ? SizeOf(node) : 0);
    return size;
}

void WriteFolder(const BookmarkNode& folder, int depth, QByteArray& out)
{
    out.append(4 * depth, ' ').append("<DL><p>\n");
    for (const BookmarkNode& node : folder.Children) {
        out.append(4 * depth + 4, ' ');
        if (node.IsFolder) {
            out.append("<DT><H3");
            AppendDates(out, node);
            out.append('>');
            AppendEscaped(out, node.Name);
            out.append("</H3>\n");
            WriteFolder(node, depth + 1, out);
        } else {
            out.append("<DT><A HREF=\"");
            AppendEscaped(out, node.Address);
            out.append('"');
            AppendDates(out, node);
            out.append('>');
            AppendEscaped(out, node.Name);
            out.append("</A>\n");
        }
    }
    out.append(4 * depth, ' ').append("</DL><p>\n");
}

} // namespace

QByteArray NetscapeHtmlWriter::Write(const BookmarkTree& tree)
{
    QByteArray out = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                     "<!-- This is an automatically generated file.\n"
                     "     It will be read and overwritten.\n"
                     "     DO NOT EDIT! -->\n"
                     "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                     "<TITLE>Bookmarks</TITLE>\n"
                     "<H1>Bookmarks</H1>\n";
    // Growing ten megabytes step by step costs more than writing them.
    out.reserve(out.size() + SizeOf(tree.Root));
    WriteFolder(tree.Root, 0, out);
    return out;
}
