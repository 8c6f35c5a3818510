#include "platform/TextFields.h"

namespace TextFields {

QString GetField(const QString& text, QChar delimiter, int n)
{
    qsizetype start = 0;
    for (int field = 1; field < n; ++field) {
        const qsizetype next = text.indexOf(delimiter, start);
        if (next < 0)
            return QString();
        start = next + 1;
    }
    const qsizetype end = text.indexOf(delimiter, start);
    return text.mid(start, end < 0 ? -1 : end - start);
}

int CountChar(const QString& text, QChar c)
{
    return static_cast<int>(text.count(c));
}

} // namespace TextFields
