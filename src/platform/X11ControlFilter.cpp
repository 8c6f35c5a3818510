#include "platform/X11ControlFilter.h"

#include "platform/Logging.h"
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
        // Counted in 4-byte units, with big requests where the server has them; a
        // ChangeProperty request spends 28 bytes on itself.
        m_largestValue = qsizetype(xcb_get_maximum_request_length(m_connection)) * 4 - 28;
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
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
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
    QByteArray value = text.toUtf8();
    // A longer request would make the server drop the connection, and us with it.
    if (value.size() > m_largestValue) {
        value.truncate(m_largestValue);
        while (!value.isEmpty() && (static_cast<unsigned char>(value.back()) & 0xC0) == 0x80)
            value.chop(1);
        if (!value.isEmpty() && static_cast<unsigned char>(value.back()) >= 0xC0)
            value.chop(1);
    }
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        m_textProperty, m_utf8, 8, value.size(), value.constData());
    xcb_flush(m_connection);
}

bool X11ControlFilter::isRequestProperty(std::uint32_t property)
{
    // Only properties senders make for a request are read and deleted; never WM_CLASS,
    // our published text or anything else a message may name.
    if (const auto known = m_requestNames.constFind(property); known != m_requestNames.cend())
        return *known;
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_atom_name_reply_t> reply(
        xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, property), &error));
    std::free(error);
    if (!reply)
        return false;
    const QByteArray name(xcb_get_atom_name_name(reply.get()),
                          xcb_get_atom_name_name_length(reply.get()));
    const bool isRequest = name.startsWith(X11WindowSystem::RequestPrefix);
    if (isRequest)
        m_requestNames.insert(property, true);
    return isRequest;
}

std::optional<QByteArray> X11ControlFilter::takeRequest(std::uint32_t window,
                                                        std::uint32_t property, qsizetype limit)
{
    // Deleting while reading makes each request count once, however often it is announced.
    // One unit more than the limit tells a longer text without reading all of it.
    const auto units = static_cast<std::uint32_t>(qMax<qsizetype>(0, limit) / 4 + 1);
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, units),
        &error));
    std::free(error);
    if (!reply || reply->type == XCB_ATOM_NONE)
        return std::nullopt;
    const qsizetype length = xcb_get_property_value_length(reply.get());
    if (reply->bytes_after > 0 || reply->format != 8 || length > limit) {
        // The server deletes only what was read to its end.
        xcb_delete_property(m_connection, window, property);
        xcb_flush(m_connection);
        return std::nullopt;
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
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

    received(control, clientMessage->data.data32);
    return true;
}

void X11ControlFilter::received(X11Control* control, const std::uint32_t* data)
{
    const QPointer<QWidget> widget = control->Widget();
    switch (static_cast<int>(data[0])) {
    case WindowSystem::WM_SETTEXT: {
        if (!isRequestProperty(data[2])) {
            qCInfo(lcX11) << "refused a text from a property that is no request";
            break;
        }
        const qsizetype limit =
            control->Accepts(X11Control::Message::SetText) ? control->TextLimit() : -1;
        const std::optional<QByteArray> bytes = takeRequest(control->Handle(), data[2], limit);
        if (!bytes) {
            qCInfo(lcX11) << "refused a text over" << limit << "bytes or of the wrong kind";
            break;
        }
        const QString text = QString::fromUtf8(*bytes);
        // Bytes that are not UTF-8 grow when decoded; the limit holds for what we publish.
        if (text.toUtf8().size() > limit)
            break;
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
        if (!control->Accepts(X11Control::Message::Enter) || data[1] != WindowSystem::VK_RETURN)
            break;
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
        if (!control->Accepts(X11Control::Message::Char) || data[1] > 0xFFFF)
            break;
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
        qCInfo(lcX11) << "refused message" << data[0] << "to window" << control->Handle();
        break;
    }
}
