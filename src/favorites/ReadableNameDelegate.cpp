#include "favorites/ReadableNameDelegate.h"

#include "platform/PathCodec.h"

QString ReadableNameDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.metaType().id() == QMetaType::QString)
        return PathCodec::Readable(value.toString());
    return QStyledItemDelegate::displayText(value, locale);
}
