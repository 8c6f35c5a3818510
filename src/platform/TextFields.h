#pragma once

#include <QString>

// Cutting delimited texts: comma lists, font strings, theme lines, "R-G-B" colours.
namespace TextFields {

// Between the fields of font strings and theme lines.
inline constexpr QChar Tab = u'\t';

// Field n (from 1) of text cut at delimiter: the characters after the (n-1)-th
// delimiter up to the next one or the end. Field 1, and any n below 1, is the text
// before the first delimiter (the whole text when there is none); a text with fewer
// than n-1 delimiters has an empty field n.
QString GetField(const QString& text, QChar delimiter, int n);
// How often c occurs in text, compared exactly.
int CountChar(const QString& text, QChar c);

} // namespace TextFields
