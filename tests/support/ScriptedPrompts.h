#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

// Prompts for tests: records every message and answers from queues filled beforehand.
// An empty queue answers as a user pressing Enter on the default would: OK, or the
// default button when one is given (Yes otherwise for questions).
class ScriptedPrompts final : public Prompts
{
public:
    struct Message
    {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
        std::optional<Answer> defaultAnswer;
    };

    // What an input box asked, with the text it proposed.
    struct Input
    {
        QString prompt;
        QString title;
        QString defaultText;
    };

    QList<Message> messages;
    QQueue<Answer> answers;
    QList<Input> inputPrompts;
    QQueue<QString> inputs;
    QQueue<QString> folders;
    QStringList folderTitles;
    QQueue<std::optional<QColor>> colors;
    // The colour each colour picker started from.
    QList<QColor> colorStarts;
    // Fills and confirms a dialog of our own; returns its result code.
    std::function<int(QDialog&)> dialogHandler;

    Answer MsgBox(QWidget* owner, const QString& text, Buttons buttons, Icon icon,
                  const QString& title, std::optional<Answer> defaultAnswer) override;
    QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    QString BrowseForFolder(QWidget* owner, const QString& title,
                            const QString& startFolder) override;
    std::optional<QColor> PickColor(QWidget* owner, const QColor& initial) override;
    int ShowModal(QDialog& dialog) override;

    QStringList texts() const;
};
