#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The conversions settings have always been stored with: numbers as decimal text with
// "." as the decimal point, booleans as "-1" and "0", rounding halves to even.
namespace VbConvert {

// The numeric value of the leading part of a text: blanks, a sign, digits, one ".",
// an exponent. Text that does not start with a number is 0.
double Val(const QString& text);
double RoundHalfEven(double value);
// Rounded halves to even; none when the result does not fit.
std::optional<std::int16_t> ToInt16(double value);
std::optional<std::int32_t> ToInt32(double value);
// Any non-zero numeric value is true.
bool ToBool(const QString& text);
QString FromBool(bool value);
// Whole numbers without decimal places; others in the shortest form that reads back.
QString FromNumber(double value);

} // namespace VbConvert
