#include "platform/VbConvert.h"

#include <cmath>
#include <limits>

namespace VbConvert {

double Val(const QString& text)
{
    // Accept exactly the leading number, as "12abc" reads 12 and "abc" reads 0.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        const qsizetype expStart = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double RoundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode rounds halves to even
}

std::optional<std::int16_t> ToInt16(double value)
{
    const double r = RoundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int16_t>::min() &&
          r <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> ToInt32(double value)
{
    const double r = RoundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int32_t>::min() &&
          r <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

bool ToBool(const QString& text)
{
    return Val(text) != 0.0;
}

QString FromBool(bool value)
{
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

QString FromNumber(double value)
{
    if (value == std::trunc(value) && std::abs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 9);
}

} // namespace VbConvert
