#include "platform/PathCodec.h"

#include "platform/TextCodec.h"

namespace {

constexpr char16_t kHeldByte = 0xDC00;

bool isHeldByte(char16_t c)
{
    return c >= kHeldByte + 0x80 && c <= kHeldByte + 0xFF;
}

// The length of the valid UTF-8 sequence at bytes[i], or 0 when there is none.
int sequenceLength(const QByteArray& bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80)
        return 1;
    int length = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (at(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points past Unicode are not valid UTF-8.
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

namespace PathCodec {

QString Decode(const QByteArray& native)
{
    QString path;
    path.reserve(native.size());
    qsizetype i = 0;
    while (i < native.size()) {
        const int length = sequenceLength(native, i);
        if (length == 0) {
            path.append(QChar(kHeldByte + static_cast<unsigned char>(native[i])));
            ++i;
            continue;
        }
        path.append(QString::fromUtf8(native.constData() + i, length));
        i += length;
    }
    return path;
}

QByteArray Encode(const QString& path)
{
    QByteArray native;
    native.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        // A low surrogate right after a high one is half of a real character.
        if (i < path.size() &&
            (!isHeldByte(path[i].unicode()) || (i > 0 && path[i - 1].isHighSurrogate())))
            continue;
        native += QStringView(path).sliced(start, i - start).toUtf8();
        if (i < path.size())
            native += static_cast<char>(path[i].unicode() - kHeldByte);
        start = i + 1;
    }
    return native;
}

QString Readable(const QString& name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t c = shown[i].unicode();
        if (isHeldByte(c) && !(i > 0 && shown[i - 1].isHighSurrogate()))
            shown[i] =
                TextCodec::DecodeWindows1252(QByteArray(1, static_cast<char>(c - kHeldByte))).at(0);
    }
    return shown;
}

} // namespace PathCodec
