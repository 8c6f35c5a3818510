#pragma once

#include <QColor>

#include <cstdint>

// Colours are kept as 32-bit numbers laid out 0x00BBGGRR, red in the low byte.
namespace ColorRef {
inline QColor ToQColor(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}
inline std::int32_t FromQColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
} // namespace ColorRef
