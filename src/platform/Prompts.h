#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QDialog;
class QWidget;

// Every message box, input box, folder picker, colour picker and modal dialog goes
// through here, so tests can answer them without an event loop.
class Prompts
{
public:
    enum class Icon
    {
        None,
        Information,
        Exclamation,
        Question,
        Critical
    };
    enum class Buttons
    {
        Ok,
        OkCancel,
        YesNo,
        YesNoCancel
    };
    enum class Answer
    {
        Ok,
        Cancel,
        Yes,
        No
    };

    virtual ~Prompts() = default;

    // The default answer is the button that Enter chooses (No where deleting).
    virtual Answer MsgBox(QWidget* owner, const QString& text, Buttons buttons, Icon icon,
                          const QString& title, std::optional<Answer> defaultAnswer = {}) = 0;
    // Null string when cancelled.
    virtual QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // Empty when cancelled.
    virtual QString BrowseForFolder(QWidget* owner, const QString& title,
                                    const QString& startFolder) = 0;
    virtual std::optional<QColor> PickColor(QWidget* owner, const QColor& initial) = 0;
    // Runs a dialog of our own modally; returns its result code.
    virtual int ShowModal(QDialog& dialog) = 0;

    // The common case: a warning with the exclamation icon and OK.
    void Warn(QWidget* owner, const QString& text, const QString& title)
    {
        MsgBox(owner, text, Buttons::Ok, Icon::Exclamation, title);
    }
};
