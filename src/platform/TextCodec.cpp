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

} // namespace

namespace TextCodec {

QString Decode(const QByteArray& bytes)
{
    // A BOM only says how the rest was meant; it is never part of the text.
    const QByteArray body = bytes.startsWith(kUtf8Bom) ? bytes.mid(kUtf8Bom.size()) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(body);
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
