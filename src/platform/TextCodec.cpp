#include "platform/TextCodec.h"

#include <QStringDecoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five bytes the code page leaves
// undefined keep their own code point, as Windows' converter does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool decodeUtf8(QByteArrayView bytes, QString* text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

namespace TextCodec {

QString Decode(const QByteArray& bytes)
{
    // Registry exports and some Windows tools write UTF-16 with a byte-order mark.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith('\xFF') ? QStringDecoder::Utf16LE
                                                      : QStringDecoder::Utf16BE);
        return utf16.decode(QByteArrayView(bytes).sliced(2));
    }
    // A BOM only says how the rest was meant; it is never part of the text.
    const QByteArrayView body =
        bytes.startsWith(kUtf8Bom) ? QByteArrayView(bytes).sliced(kUtf8Bom.size()) : bytes;
    if (QString text; decodeUtf8(body, &text))
        return text;
    // One stray byte must not turn every other line into mojibake: only the lines that
    // are not UTF-8 are read as Windows-1252.
    QString text;
    text.reserve(body.size());
    qsizetype start = 0;
    while (start < body.size()) {
        qsizetype end = body.indexOf('\n', start);
        end = end < 0 ? body.size() : end + 1;
        const QByteArrayView line = body.sliced(start, end - start);
        if (QString decoded; decodeUtf8(line, &decoded))
            text += decoded;
        else
            text += DecodeWindows1252(line.toByteArray());
        start = end;
    }
    return text;
}

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out->unicode() = (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
        ++out;
    }
    return text;
}

} // namespace TextCodec
