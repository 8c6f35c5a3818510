#include "support/ScriptedPrompts.h"

#include <QDialog>

Prompts::Answer ScriptedPrompts::MsgBox(QWidget*, const QString& text, Buttons buttons, Icon icon,
                                        const QString& title, std::optional<Answer> defaultAnswer)
{
    messages.append({text, buttons, icon, title, defaultAnswer});
    if (!answers.isEmpty())
        return answers.dequeue();
    if (defaultAnswer)
        return *defaultAnswer;
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    }
    return Answer::Ok;
}

QString ScriptedPrompts::InputBox(QWidget*, const QString& prompt, const QString& title,
                                  const QString& defaultText)
{
    inputPrompts.append({prompt, title, defaultText});
    return inputs.isEmpty() ? QString() : inputs.dequeue();
}

QString ScriptedPrompts::BrowseForFolder(QWidget*, const QString& title, const QString&)
{
    folderTitles.append(title);
    return folders.isEmpty() ? QString() : folders.dequeue();
}

std::optional<QColor> ScriptedPrompts::PickColor(QWidget*, const QColor& initial)
{
    colorStarts.append(initial);
    return colors.isEmpty() ? std::nullopt : colors.dequeue();
}

int ScriptedPrompts::ShowModal(QDialog& dialog)
{
    return dialogHandler ? dialogHandler(dialog) : QDialog::Rejected;
}

QStringList ScriptedPrompts::texts() const
{
    QStringList result;
    for (const Message& m : messages)
        result.append(m.text);
    return result;
}
