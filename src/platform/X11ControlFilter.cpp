#include "platform/X11ControlFilter.h"

#include "platform/WindowSystem.h"
#include "platform/X11Control.h"
#include "platform/X11WindowSystem.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeDeleter
{
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

} // namespace

X11ControlFilter::X11ControlFilter(QObject* parent) : QObject(parent)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11)
        m_connection = x11->connection();
    if (m_connection) {
        m_messageType = atom(X11WindowSystem::MessageType);
        m_textProperty = atom(X11WindowSystem::TextProperty);
        m_utf8 = atom("UTF8_STRING");
    }
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installNativeEventFilter(this);
}

X11ControlFilter::~X11ControlFilter()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11ControlFilter::add(X11Control* control)
{
    if (!m_controls.contains(control))
        m_controls.append(control);
}

void X11ControlFilter::remove(X11Control* control)
{
    m_controls.removeAll(control);
}

std::uint32_t X11ControlFilter::atom(const char* name)
{
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : 0u;
}

void X11ControlFilter::writeClass(std::uint64_t window, const QString& className)
{
    if (!m_connection || !window)
        return;
    // Instance and class, each ending in a zero byte.
    const QByteArray name = className.toLatin1();
    const QByteArray value = name + '\0' + name + '\0';
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, value.size(), value.constData());
    xcb_flush(m_connection);
}

void X11ControlFilter::writeText(std::uint64_t window, const QString& text)
{
    if (!m_connection || !window)
        return;
    const QByteArray value = text.toUtf8();
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        m_textProperty, m_utf8, 8, value.size(), value.constData());
    xcb_flush(m_connection);
}

std::optional<QByteArray> X11ControlFilter::takeProperty(std::uint32_t window,
                                                         std::uint32_t property)
{
    // Deleting while reading makes each request count once, however often it is announced.
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 22),
        &error));
    std::free(error);
    if (!reply || reply->type == XCB_ATOM_NONE)
        return std::nullopt;
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

bool X11ControlFilter::nativeEventFilter(const QByteArray& eventType, void* message,
                                         qintptr* result)
{
    Q_UNUSED(result);
    if (!m_connection || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // The high bit marks events that came through SendEvent, as all of these do.
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* clientMessage = static_cast<const xcb_client_message_event_t*>(message);
    if (clientMessage->format != 32 || clientMessage->type != m_messageType)
        return false;

    X11Control* control = nullptr;
    for (X11Control* candidate : std::as_const(m_controls)) {
        if (candidate->Handle() == clientMessage->window)
            control = candidate;
    }
    if (!control)
        return true; // ours, for a window that is no longer a control: nothing to do

    const std::uint32_t* data = clientMessage->data.data32;
    const QPointer<QWidget> widget = control->Widget();
    switch (static_cast<int>(data[0])) {
    case WindowSystem::WM_SETTEXT: {
        const std::optional<QByteArray> bytes = takeProperty(clientMessage->window, data[2]);
        if (!bytes)
            break;
        const QString text = QString::fromUtf8(*bytes);
        control->SetText(text);
        QMetaObject::invokeMethod(
            this,
            [this, widget, text] {
                if (widget)
                    Q_EMIT textSet(widget, text);
            },
            Qt::QueuedConnection);
        break;
    }
    case WindowSystem::WM_KEYDOWN: {
        const int virtualKey = static_cast<int>(data[1]);
        QMetaObject::invokeMethod(
            this,
            [this, widget, virtualKey] {
                if (widget)
                    Q_EMIT keyDown(widget, virtualKey);
            },
            Qt::QueuedConnection);
        break;
    }
    case WindowSystem::WM_CHAR: {
        const QChar character(static_cast<char16_t>(data[1]));
        QMetaObject::invokeMethod(
            this,
            [this, widget, character] {
                if (widget)
                    Q_EMIT charReceived(widget, character);
            },
            Qt::QueuedConnection);
        break;
    }
    default:
        break;
    }
    return true;
}
