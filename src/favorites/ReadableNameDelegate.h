#pragma once

#include <QStyledItemDelegate>

// Paints names as a person can read them: the bytes of a file name that is not UTF-8,
// held inside as lone surrogates, show as the Windows-1252 characters they most likely
// were. The items keep the exact name, so every path built from them still names the file.
class ReadableNameDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override;
};
