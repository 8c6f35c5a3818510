#include "exchange/NetscapeHtmlWriter.h"

#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

// Bytes straight into the file's text: an export of a large tree writes some ten
// megabytes, and building a string for every piece of every line costs more than the rest.
void AppendEscaped(QByteArray& out, QStringView text)
{
    // Encoded in place first; most texts hold nothing to escape and are done then.
    // Stateless: a lone surrogate at the end is replaced, as toUtf8 does, not held back.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const qsizetype start = out.size();
    out.resize(start + utf8.requiredSpace(text.size()));
    const qsizetype end = utf8.appendToBuffer(out.data() + start, text) - out.constData();
    out.truncate(end);
    const auto special = [](char c) { return c == '&' || c == '<' || c == '>' || c == '"'; };
    const qsizetype from = std::find_if(out.cbegin() + start, out.cend(), special) - out.cbegin();
    if (from == end)
        return;
    const QByteArray tail = out.sliced(from);
    out.truncate(from);
    for (const char c : tail) {
        switch (c) {
        case '&':
            out.append("&amp;");
            break;
        case '<':
            out.append("&lt;");
            break;
        case '>':
            out.append("&gt;");
            break;
        case '"':
            out.append("&quot;");
            break;
        default:
            out.append(c);
        }
    }
}

char* AppendDate(char* to, std::string_view attribute, std::int64_t seconds)
{
    if (seconds <= 0)
        return to;
    to = std::copy(attribute.begin(), attribute.end(), to);
    to = std::to_chars(to, to + 20, seconds).ptr;
    *to++ = '"';
    return to;
}

void AppendDates(QByteArray& out, const BookmarkNode& node)
{
    char dates[3 * 40];
    char* end = AppendDate(dates, " ADD_DATE=\"", node.Added);
    end = AppendDate(end, " LAST_MODIFIED=\"", node.Modified);
    end = AppendDate(end, " LAST_VISIT=\"", node.Visited);
    out.append(dates, end - dates);
}

// About what a folder's lines take: the texts, and the indent, markup and dates.
qsizetype SizeOf(const BookmarkNode& folder, int depth)
{
    qsizetype size = 0;
    for (const BookmarkNode& node : folder.Children)
        size += 4 * depth + 120 + node.Name.size() + node.Address.size() +
                (node.IsFolder ? SizeOf(node, depth + 1) : 0);
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
    out.reserve(out.size() + SizeOf(tree.Root, 1));
    WriteFolder(tree.Root, 0, out);
    return out;
}
