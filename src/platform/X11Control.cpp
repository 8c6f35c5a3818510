#include "platform/X11Control.h"

#include "platform/X11ControlFilter.h"

#include <QEvent>
#include <QWidget>

X11Control::X11Control(QWidget* widget, const QString& className, X11ControlFilter& filter)
    : QObject(widget), m_widget(widget), m_className(className), m_filter(&filter)
{
    // Its own X window, so that others can address it; with AA_DontCreateNativeWidgetSiblings
    // only its ancestors become native too, and the X tree nests as the widgets do.
    m_widget->setAttribute(Qt::WA_NativeWindow);
    m_widget->winId();
    // Qt makes a new window when it recreates the widget's; that one needs our properties.
    m_widget->installEventFilter(this);
    writeProperties();
    filter.add(this);
}

X11Control::~X11Control()
{
    if (m_filter)
        m_filter->remove(this);
}

WindowSystem::Handle X11Control::Handle() const
{
    return m_widget->internalWinId();
}

void X11Control::SetText(const QString& text)
{
    m_text = text;
    m_hasText = true;
    if (m_filter)
        m_filter->writeText(Handle(), m_text);
}

void X11Control::Accept(Messages messages, qsizetype textLimit)
{
    m_accepted = messages;
    m_textLimit = textLimit;
}

bool X11Control::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widget && event->type() == QEvent::WinIdChange && Handle())
        writeProperties();
    return QObject::eventFilter(watched, event);
}

void X11Control::writeProperties()
{
    if (!m_filter)
        return;
    m_filter->writeClass(Handle(), m_className);
    // A control inside a window has no title to fall back on (Qt may give it the
    // application's name), so it always publishes a text, empty until one is set.
    if (m_hasText || !m_widget->isWindow())
        m_filter->writeText(Handle(), m_text);
}
