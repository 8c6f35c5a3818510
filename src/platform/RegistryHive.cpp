#include "platform/RegistryHive.h"

#include "platform/BoundedFile.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

namespace {

const QLatin1String kHeader("REGEDIT4");
const QLatin1String kHeader5("Windows Registry Editor Version 5.00");
// A settings file is a few kilobytes; past this it is not one.
constexpr qint64 kLargestFile = 32 * 1024 * 1024;
const QLatin1String kLineEnd("\r\n");

QString fold(const QString& path)
{
    return path.toCaseFolded();
}

// The forms the export format uses for everything but text and dwords: "hex:01,02" and
// "hex(7):..." for the typed variants. Read by hand: values run to megabytes, which a
// regular expression's backtracking cannot take.
struct HexForm
{
    std::optional<std::uint32_t> type; // of "hex(N):"; none for plain "hex:"
    QStringView digits;                // "01,02"
};

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// One to eight hex digits, as a dword or a type number is written.
bool isHexNumber(QStringView text)
{
    return !text.isEmpty() && text.size() <= 8 && std::all_of(text.begin(), text.end(), isHexDigit);
}

std::optional<HexForm> parseHexForm(QStringView text)
{
    if (!text.startsWith(u"hex", Qt::CaseInsensitive))
        return std::nullopt;
    HexForm form;
    qsizetype i = 3;
    if (i < text.size() && text[i] == u'(') {
        const qsizetype close = text.indexOf(u')', i);
        const QStringView number = close < 0 ? QStringView() : text.sliced(i + 1, close - i - 1);
        if (!isHexNumber(number))
            return std::nullopt;
        form.type = number.toUInt(nullptr, 16);
        i = close + 1;
    }
    if (i >= text.size() || text[i] != u':')
        return std::nullopt;
    form.digits = text.sliced(++i);
    // Pairs of digits separated by commas, a trailing comma allowed.
    while (i < text.size()) {
        if (i + 1 >= text.size() || !isHexDigit(text[i]) || !isHexDigit(text[i + 1]))
            return std::nullopt;
        i += 2;
        if (i < text.size() && text[i++] != u',')
            return std::nullopt;
    }
    return form;
}

QString quoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// Reads a quoted string starting at text[pos] == '"'; pos ends just past the closing quote.
// A backslash escapes only "\" and '"', as regedit writes them; any other backslash is kept.
std::optional<QString> unquote(QStringView text, qsizetype& pos)
{
    // Most texts hold no backslash: one slice, no character-by-character copy.
    qsizetype i = pos + 1;
    while (i < text.size() && text[i] != u'"' && text[i] != u'\\')
        ++i;
    if (i < text.size() && text[i] == u'"') {
        const QString out = text.sliced(pos + 1, i - pos - 1).toString();
        pos = i + 1;
        return out;
    }
    QString out = text.sliced(pos + 1, i - pos - 1).toString();
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"')) {
            out.append(text[++i]);
        } else if (c == u'"') {
            pos = i + 1;
            return out;
        } else {
            out.append(c);
        }
    }
    return std::nullopt;
}

// Text with line breaks cannot sit inside quotes on one line, so it goes out as the
// format's typed-hex form of REG_SZ (UTF-16LE with its terminator) and comes back as text.
QString textAsHex(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return QStringLiteral("hex(1):") + QString::fromLatin1(bytes.toHex(','));
}

// Line breaks cannot sit inside quotes, and a lone surrogate (a byte of a file name that
// is not UTF-8) has no UTF-8 form: such text keeps its exact UTF-16 in the typed-hex form.
bool needsHexForm(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || c == u'\r')
            return true;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

std::optional<QString> hexAsText(QStringView hexDigits)
{
    const QByteArray bytes = QByteArray::fromHex(hexDigits.toLatin1());
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QString text;
    for (qsizetype i = 0; i < bytes.size(); i += 2)
        text.append(QChar(qFromLittleEndian<quint16>(bytes.constData() + i)));
    // Only the terminator goes; NULs before it belong to the text.
    if (text.endsWith(QChar(0)))
        text.chop(1);
    return text;
}

// The right-hand side of a value line, or nothing when it is not one we can keep.
std::optional<RegistryHive::Value> parseData(QStringView data)
{
    RegistryHive::Value value;
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        std::optional<QString> text = unquote(data, pos);
        if (!text || pos != data.size())
            return std::nullopt;
        value.type = REG_SZ;
        value.text = std::move(*text);
        return value;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QStringView number = data.sliced(6);
        if (!isHexNumber(number))
            return std::nullopt;
        value.type = REG_DWORD;
        value.number = number.toUInt(nullptr, 16);
        return value;
    }
    const std::optional<HexForm> form = parseHexForm(data);
    if (!form)
        return std::nullopt;
    if (form->type == REG_SZ) {
        if (std::optional<QString> text = hexAsText(form->digits)) {
            value.type = REG_SZ;
            value.text = *text;
            return value;
        }
    }
    value.type = REG_BINARY;
    value.text = data.toString();
    return value;
}

// `"Name"=data` or `@=data`; nothing for lines that are not a value.
std::optional<RegistryHive::Value> parseValueLine(QStringView line)
{
    QString name;
    qsizetype pos = 0;
    if (line.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else if (line.startsWith(QLatin1Char('"'))) {
        std::optional<QString> unquoted = unquote(line, pos);
        if (!unquoted)
            return std::nullopt;
        name = std::move(*unquoted);
    } else {
        return std::nullopt;
    }
    if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
        return std::nullopt;
    std::optional<RegistryHive::Value> value = parseData(line.sliced(pos + 1).trimmed());
    if (value)
        value->name = std::move(name);
    return value;
}

bool lessByPath(const QString& a, const QString& b)
{
    const QStringList left = a.split(QLatin1Char('\\'));
    const QStringList right = b.split(QLatin1Char('\\'));
    return std::lexicographical_compare(
        left.begin(), left.end(), right.begin(), right.end(),
        [](const QString& x, const QString& y) { return fold(x) < fold(y); });
}

} // namespace

bool RegistryHive::IsBinaryText(const QString& text)
{
    return parseHexForm(text).has_value();
}

RegistryHive::RegistryHive(const QString& filePath, const QString& rootName)
    : m_filePath(filePath), m_rootName(rootName)
{
    load();
}

RegistryHive::Stamp RegistryHive::stampOf(const struct stat& info)
{
    return {true,         info.st_dev,         info.st_ino,
            info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

RegistryHive::Stamp RegistryHive::stampOf(const QString& filePath)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(filePath).constData(), &info) != 0)
        return {};
    return stampOf(info);
}

void RegistryHive::ReloadIfChanged()
{
    if (stampOf(m_filePath) != m_stamp)
        load();
}

void RegistryHive::load()
{
    m_keys.clear();
    m_keys.insert(QString(), Key());
    m_keepAsideAs.clear();
    m_problem.clear();
    const BoundedFile::Result read = BoundedFile::Read(m_filePath, kLargestFile);
    // The stamp comes from the very file read, so a replacement made meanwhile is seen
    // as a change next time.
    m_stamp = read.status == BoundedFile::Result::Status::Missing ? Stamp() : stampOf(read.info);
    if (read.status == BoundedFile::Result::Status::Missing)
        return;
    if (read.status == BoundedFile::Result::Status::Read && parse(TextCodec::Decode(read.bytes)))
        return;
    // Whatever it holds stays the user's: it is moved aside before our first write.
    m_keepAsideAs = m_filePath + QStringLiteral(".unreadable-") +
                    QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString reason =
        read.reason.isEmpty() ? QStringLiteral("It is not a settings file") : read.reason;
    m_problem = QStringLiteral("The settings file \"%1\" cannot be read. %2.\r\n\r\n"
                               "It will be kept as \"%3\", and the default settings are used.")
                    .arg(m_filePath, reason, m_keepAsideAs);
}

bool RegistryHive::parseSection(const QString& line, QString* path) const
{
    if (!line.endsWith(QLatin1Char(']')))
        return false;
    const QString name = line.mid(1, line.size() - 2);
    if (!name.startsWith(m_rootName, Qt::CaseInsensitive))
        return false;
    const QString rest = name.mid(m_rootName.size());
    if (!rest.isEmpty() && !rest.startsWith(QLatin1Char('\\')))
        return false;
    *path = rest.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
    return true;
}

bool RegistryHive::parse(const QString& text)
{
    // CR LF, LF and a lone CR all end a line; blank lines mean nothing here.
    QList<QStringView> lines;
    for (qsizetype i = 0, start = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\n' && text[i] != u'\r')
            continue;
        if (i > start)
            lines.append(QStringView(text).sliced(start, i - start));
        start = i + 1;
    }
    // Values are kept only under a section of this hive that parsed; anything after a
    // broken or foreign section header would otherwise land in the wrong key.
    Key* section = nullptr;
    bool recognized = false;
    bool blank = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView view = lines.at(i).trimmed();
        if (view.isEmpty() || view.startsWith(u';'))
            continue;
        if (blank && (view == kHeader || view == kHeader5))
            recognized = true;
        blank = false;
        if (view.startsWith(u'[')) {
            QString path;
            section = nullptr;
            if (parseSection(view.toString(), &path)) {
                CreateKey(path);
                section = &m_keys[fold(path)];
                recognized = true;
            }
            continue;
        }
        // Long hex values go on over several lines, each but the last ending in "\".
        QString joined;
        if (view.endsWith(u",\\") && view.contains(u"=hex", Qt::CaseInsensitive)) {
            joined = view.toString();
            while (joined.endsWith(QLatin1String(",\\")) && i + 1 < lines.size()) {
                joined.chop(1);
                joined.append(lines.at(++i).trimmed());
            }
            view = joined;
        }
        if (!section)
            continue;
        if (std::optional<Value> value = parseValueLine(view))
            setValueIn(*section, *value);
    }
    return recognized || blank;
}

bool RegistryHive::HasKey(const QString& path) const
{
    return m_keys.contains(fold(path));
}

bool RegistryHive::HasSubKeys(const QString& path) const
{
    const QString folded = fold(path);
    const QString prefix = folded.isEmpty() ? QString() : folded + QLatin1Char('\\');
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        if (!it.key().isEmpty() && it.key() != folded && it.key().startsWith(prefix))
            return true;
    }
    return false;
}

QStringList RegistryHive::SubKeyNames(const QString& path) const
{
    const QString folded = fold(path);
    const QString prefix = folded.isEmpty() ? QString() : folded + QLatin1Char('\\');
    QStringList names;
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        if (it.key().isEmpty() || it.key() == folded || !it.key().startsWith(prefix))
            continue;
        // A deeper key stands for its direct ancestor too, as parents are implied.
        const QString name = it->path.mid(prefix.size()).section(QLatin1Char('\\'), 0, 0);
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool RegistryHive::CreateKey(const QString& path)
{
    bool created = false;
    QString stored;
    QString folded;
    for (const QString& part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (!folded.isEmpty()) {
            folded += QLatin1Char('\\');
            stored += QLatin1Char('\\');
        }
        folded += fold(part);
        auto it = m_keys.constFind(folded);
        if (it != m_keys.cend()) {
            stored = it->path; // an existing parent keeps its own spelling
            continue;
        }
        stored += part;
        m_keys.insert(folded, Key{stored, {}, {}});
        created = true;
    }
    return created;
}

void RegistryHive::RemoveKey(const QString& path)
{
    if (!path.isEmpty())
        m_keys.remove(fold(path));
}

const RegistryHive::Value* RegistryHive::FindValue(const QString& path, const QString& name) const
{
    auto key = m_keys.constFind(fold(path));
    if (key == m_keys.cend())
        return nullptr;
    const qsizetype at = key->index.value(fold(name), -1);
    return at < 0 ? nullptr : &key->values.at(at);
}

void RegistryHive::SetValue(const QString& path, const Value& value)
{
    CreateKey(path);
    setValueIn(m_keys[fold(path)], value);
}

void RegistryHive::setValueIn(Key& key, const Value& value)
{
    const QString folded = fold(value.name);
    if (const qsizetype at = key.index.value(folded, -1); at >= 0) {
        Value& existing = key.values[at];
        const QString name = existing.name;
        existing = value;
        existing.name = name;
        return;
    }
    key.index.insert(folded, key.values.size());
    key.values.append(value);
}

QByteArray RegistryHive::serialize() const
{
    QList<const Key*> keys;
    for (const Key& key : m_keys)
        keys.append(&key);
    std::sort(keys.begin(), keys.end(),
              [](const Key* a, const Key* b) { return lessByPath(a->path, b->path); });

    QString out = kHeader + kLineEnd;
    for (const Key* key : keys) {
        // The root has nothing to say unless something was stored on it directly.
        if (key->path.isEmpty() && key->values.isEmpty())
            continue;
        out += kLineEnd + QLatin1Char('[') + m_rootName;
        if (!key->path.isEmpty())
            out += QLatin1Char('\\') + key->path;
        out += QLatin1Char(']') + kLineEnd;
        for (const Value& value : key->values) {
            out += value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name);
            out += QLatin1Char('=');
            if (value.type == REG_DWORD)
                out += QStringLiteral("dword:%1").arg(value.number, 8, 16, QLatin1Char('0'));
            else if (value.type != REG_SZ)
                out += value.text;
            else if (needsHexForm(value.text))
                out += textAsHex(value.text);
            else
                out += quoted(value.text);
            out += kLineEnd;
        }
    }
    return out.toUtf8();
}

bool RegistryHive::Save()
{
    m_lastError.clear();
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    if (!m_keepAsideAs.isEmpty()) {
        if (::rename(QFile::encodeName(m_filePath).constData(),
                     QFile::encodeName(m_keepAsideAs).constData()) != 0 &&
            errno != ENOENT) {
            // Never write over what could not be kept.
            m_lastError = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        m_keepAsideAs.clear();
    }
    QSaveFile file(m_filePath);
    const QByteArray bytes = serialize();
    struct stat info = {};
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                         file.flush() && ::fstat(file.handle(), &info) == 0;
    // The new file's identity is taken before it replaces the old one, so a writer that
    // comes right after us is never mistaken for our own write.
    if (!written || !file.commit()) {
        m_lastError = file.errorString();
        return false;
    }
    m_stamp = stampOf(info);
    return true;
}
