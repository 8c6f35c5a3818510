#pragma once

#include "platform/WindowSystem.h"

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class X11ControlFilter;

// One of our widgets as a window other programs find by class and talk to: its own X
// window (nested as the widgets are), WM_CLASS set to the given class and, for a control
// inside a window, its text kept in _TAVORO_TEXT. Create it before the widget's window is
// first shown, so a window manager reads our class; it belongs to the widget.
// Messages for it arrive through the application's X11ControlFilter; it takes only the
// ones it was told to accept.
class X11Control : public QObject
{
    Q_OBJECT

public:
    enum class Message
    {
        SetText = 0x1,
        Enter = 0x2,
        Char = 0x4
    };
    Q_DECLARE_FLAGS(Messages, Message)
    static constexpr Messages AllMessages =
        Messages(Message::SetText) | Message::Enter | Message::Char;
    // UTF-8 bytes; a longer text sent by another program is refused.
    static constexpr qsizetype DefaultTextLimit = 64 * 1024;

    X11Control(QWidget* widget, const QString& className, X11ControlFilter& filter);
    ~X11Control() override;

    QWidget* Widget() const { return m_widget; }
    QString ClassName() const { return m_className; }
    // The X window id, as WindowSystem handles are.
    WindowSystem::Handle Handle() const;
    // What other programs read as this control's text.
    void SetText(const QString& text);
    QString Text() const { return m_text; }

    // What other programs may send it: all messages, texts up to DefaultTextLimit, unless
    // told otherwise.
    void Accept(Messages messages, qsizetype textLimit = DefaultTextLimit);
    bool Accepts(Message message) const { return m_accepted.testFlag(message); }
    qsizetype TextLimit() const { return m_textLimit; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeProperties();

    QWidget* m_widget;
    QString m_className;
    QString m_text;
    bool m_hasText = false;
    Messages m_accepted = AllMessages;
    qsizetype m_textLimit = DefaultTextLimit;
    QPointer<X11ControlFilter> m_filter;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(X11Control::Messages)
