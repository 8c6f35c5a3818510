#pragma once

#include <QByteArray>
#include <QString>

// Files we write are UTF-8; files made on Windows are often Windows-1252 or, with a
// byte-order mark, UTF-16. Reading takes UTF-16 after its mark, else UTF-8 line by line,
// falling back to Windows-1252 only for lines that are not valid UTF-8.
namespace TextCodec {
QString Decode(const QByteArray& bytes);
QString DecodeWindows1252(const QByteArray& bytes);
} // namespace TextCodec
