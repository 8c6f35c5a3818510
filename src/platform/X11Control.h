#pragma once

#include "platform/WindowSystem.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class X11ControlFilter;

// One of our widgets as a window other programs find by class and talk to: its own X
// window (nested as the widgets are), WM_CLASS set to the given class and, for a control
// inside a window, its text kept in _TAVORO_TEXT. Create it before the widget's window is
// first shown, so a window manager reads our class; it belongs to the widget.
// Messages for it arrive through the application's X11ControlFilter.
class X11Control : public QObject
{
    Q_OBJECT

public:
    X11Control(QWidget* widget, const QString& className, X11ControlFilter& filter);
    ~X11Control() override;

    QWidget* Widget() const { return m_widget; }
    QString ClassName() const { return m_className; }
    // The X window id, as WindowSystem handles are.
    WindowSystem::Handle Handle() const;
    // What other programs read as this control's text.
    void SetText(const QString& text);
    QString Text() const { return m_text; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeProperties();

    QWidget* m_widget;
    QString m_className;
    QString m_text;
    bool m_hasText = false;
    QPointer<X11ControlFilter> m_filter;
};
