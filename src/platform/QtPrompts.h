#pragma once

#include "platform/Prompts.h"

// Prompts shown with Qt's own dialogs.
class QtPrompts final : public Prompts
{
public:
    Answer MsgBox(QWidget* owner, const QString& text, Buttons buttons, Icon icon,
                  const QString& title, std::optional<Answer> defaultAnswer) override;
    QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    QString BrowseForFolder(QWidget* owner, const QString& title,
                            const QString& startFolder) override;
    std::optional<QColor> PickColor(QWidget* owner, const QColor& initial) override;
    int ShowModal(QDialog& dialog) override;
};
