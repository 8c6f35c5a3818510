#include "exchange/NetscapeHtmlReader.h"

#include "platform/TextCodec.h"

#include <QHash>

namespace {

struct Tag
{
    QString Name;                       // upper case, "/" first for a closing tag
    QHash<QString, QString> Attributes; // names upper case, values decoded
};

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Parses the tag that starts at text[pos] == '<'; pos ends after its '>'. False when the
// tag never ends.
bool ParseTag(const QString& text, qsizetype& pos, Tag& tag)
{
    const qsizetype size = text.size();
    qsizetype i = pos + 1;
    const qsizetype nameStart = i;
    while (i < size && !IsSpace(text[i]) && text[i] != u'>')
        ++i;
    tag.Name = text.mid(nameStart, i - nameStart).toUpper();
    if (tag.Name.endsWith(u'/'))
        tag.Name.chop(1);
    tag.Attributes.clear();
    while (i < size && text[i] != u'>') {
        if (IsSpace(text[i]) || text[i] == u'/') {
            ++i;
            continue;
        }
        const qsizetype keyStart = i;
        while (i < size && !IsSpace(text[i]) && text[i] != u'=' && text[i] != u'>')
            ++i;
        const QString key = text.mid(keyStart, i - keyStart).toUpper();
        while (i < size && IsSpace(text[i]))
            ++i;
        QString value;
        if (i < size && text[i] == u'=') {
            ++i;
            while (i < size && IsSpace(text[i]))
                ++i;
            if (i < size && (text[i] == u'"' || text[i] == u'\'')) {
                const QChar quote = text[i];
                const qsizetype end = text.indexOf(quote, i + 1);
                if (end < 0)
                    return false;
                value = text.mid(i + 1, end - i - 1);
                i = end + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < size && !IsSpace(text[i]) && text[i] != u'>')
                    ++i;
                value = text.mid(valueStart, i - valueStart);
            }
        }
        tag.Attributes.insert(key, NetscapeHtmlReader::DecodeEntities(value));
    }
    if (i >= size)
        return false;
    pos = i + 1;
    return true;
}

std::int64_t Time(const Tag& tag, const char* name)
{
    return BookmarkTimes::FromEpochGuess(tag.Attributes.value(QLatin1String(name)).toLongLong());
}

// Text up to the next tag, entities decoded, blanks folded.
QString TextUntilTag(const QString& text, qsizetype& pos)
{
    qsizetype end = text.indexOf(u'<', pos);
    if (end < 0)
        end = text.size();
    const QString value = NetscapeHtmlReader::DecodeEntities(QStringView(text).mid(pos, end - pos));
    pos = end;
    return value.simplified();
}

} // namespace

QString NetscapeHtmlReader::DecodeEntities(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    static const QHash<QString, QChar> named = {
        {QStringLiteral("amp"), u'&'},   {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},    {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''}, {QStringLiteral("nbsp"), QChar(0xA0)}};
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semi = text[i] == u'&' ? text.indexOf(u';', i) : -1;
        if (semi < 0 || semi - i > 10) {
            out.append(text[i]);
            continue;
        }
        const QStringView entity = text.mid(i + 1, semi - i - 1);
        bool ok = false;
        if (entity.startsWith(u'#')) {
            const bool hex = entity.size() > 1 && (entity[1] == u'x' || entity[1] == u'X');
            const uint code = entity.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            ok = ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            if (ok)
                out.append(QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1));
        } else if (const auto it = named.constFind(entity.toString().toLower());
                   it != named.cend()) {
            out.append(*it);
            ok = true;
        }
        if (ok)
            i = semi;
        else
            out.append(text[i]);
    }
    return out;
}

bool NetscapeHtmlReader::Read(const QByteArray& bytes, BookmarkTree& tree, QString& error)
{
    const QString text = TextCodec::Decode(bytes);
    // Each folder open, with the count of <DL> lists opened inside it that open no folder
    // of their own: the root list, stray lists, and lists nested beyond MaxDepth.
    struct Level
    {
        BookmarkNode* folder;
        qint64 plainLists;
    };
    std::vector<Level> open{{&tree.Root, 0}};
    BookmarkNode* pending = nullptr; // the folder whose <DL> may come next
    bool structure = false;
    Tag tag;
    qsizetype pos = 0;
    while (true) {
        pos = text.indexOf(u'<', pos);
        if (pos < 0)
            break;
        if (QStringView(text).mid(pos, 4) == u"<!--") {
            const qsizetype end = text.indexOf(QStringLiteral("-->"), pos + 4);
            if (end < 0)
                break;
            pos = end + 3;
            continue;
        }
        if (!ParseTag(text, pos, tag))
            break; // a tag cut off at the end: keep what came before
        BookmarkNode& current = *open.back().folder;
        if (tag.Name == u"DL") {
            structure = true;
            if (pending && open.size() <= std::size_t{BookmarkTree::MaxDepth}) {
                open.push_back({pending, 0});
            } else {
                ++open.back().plainLists;
                if (pending) {
                    // Too deep: its contents go to the folder around it.
                    current.Children.pop_back();
                    ++tree.Flattened;
                }
            }
            pending = nullptr;
        } else if (tag.Name == u"/DL") {
            if (open.back().plainLists > 0)
                --open.back().plainLists;
            else if (open.size() > 1)
                open.pop_back();
            pending = nullptr;
        } else if (tag.Name == u"H3") {
            structure = true;
            BookmarkNode& folder = current.AddFolder(TextUntilTag(text, pos));
            folder.Added = Time(tag, "ADD_DATE");
            folder.Modified = Time(tag, "LAST_MODIFIED");
            pending = &folder;
        } else if (tag.Name == u"A") {
            structure = true;
            const QString address = tag.Attributes.value(QStringLiteral("HREF")).trimmed();
            const QString name = TextUntilTag(text, pos);
            pending = nullptr;
            if (address.startsWith(QLatin1String("place:"), Qt::CaseInsensitive)) {
                ++tree.Queries;
                continue;
            }
            BookmarkNode& link = current.AddLink(name, address);
            link.Added = Time(tag, "ADD_DATE");
            link.Modified = Time(tag, "LAST_MODIFIED");
            link.Visited = Time(tag, "LAST_VISIT");
        } else if (tag.Name == u"HR") {
            ++tree.Separators;
            pending = nullptr;
        } else if (tag.Name == u"DD") {
            // A description belongs to the link or folder before it; shortcuts keep none.
            TextUntilTag(text, pos);
        }
    }
    if (!structure) {
        error =
            QStringLiteral("The file is not a bookmarks file: it holds no bookmarks or folders.");
        return false;
    }
    return true;
}
