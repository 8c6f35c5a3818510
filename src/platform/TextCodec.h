#pragma once

#include <QByteArray>
#include <QString>

// Files we write are UTF-8; files made on Windows are often Windows-1252. Reading takes
// UTF-8 when the bytes are valid UTF-8 and Windows-1252 otherwise.
namespace TextCodec {
QString Decode(const QByteArray& bytes);
QString DecodeWindows1252(const QByteArray& bytes);
} // namespace TextCodec
