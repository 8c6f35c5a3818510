#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes. Names in UTF-8 read as text; any byte that is not part
// of valid UTF-8 (a Windows-1252 "café" from an old disk) is held as the lone surrogate
// U+DC80..U+DCFF and written back as the same byte, so every name round-trips exactly.
namespace PathCodec {
QString Decode(const QByteArray& native);
QByteArray Encode(const QString& path);
// The name as a person reads it: held bytes as the Windows-1252 characters they most
// likely were. For the screen only; it names no file.
QString Readable(const QString& name);
} // namespace PathCodec
