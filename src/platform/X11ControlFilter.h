#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>

#include <cstdint>
#include <optional>

struct xcb_connection_t;
class QWidget;
class X11Control;

// Receives the Win32-numbered messages other programs send to our X11Controls
// (ClientMessage _TAVORO_WM, data32 = [message, wParam, lParam]) and turns them into
// signals. One per application; signals are queued, so a slot may open dialogs freely.
// Off the xcb platform it stays silent. Any program may send these, so each control takes
// only what it accepts, a text only from a request property and only up to its limit, and
// nothing makes us write a request longer than the server takes.
class X11ControlFilter : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit X11ControlFilter(QObject* parent = nullptr);
    ~X11ControlFilter() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    // WM_SETTEXT: the control's published text is already the new one.
    void textSet(QWidget* control, const QString& text);
    // WM_KEYDOWN with the virtual-key code (13 is Enter).
    void keyDown(QWidget* control, int virtualKey);
    // WM_CHAR.
    void charReceived(QWidget* control, QChar character);

private:
    friend class X11Control;

    void add(X11Control* control);
    void remove(X11Control* control);
    std::uint32_t atom(const char* name);
    void writeClass(std::uint64_t window, const QString& className);
    void writeText(std::uint64_t window, const QString& text);
    bool isRequestProperty(std::uint32_t property);
    // The request's bytes, deleted as they are read; none when longer than limit (the
    // request is deleted all the same) or not in 8-bit units.
    std::optional<QByteArray> takeRequest(std::uint32_t window, std::uint32_t property,
                                          qsizetype limit);
    void received(X11Control* control, const std::uint32_t* data);

    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_messageType = 0;
    std::uint32_t m_textProperty = 0;
    std::uint32_t m_utf8 = 0;
    qsizetype m_largestValue = 0; // bytes of a property value in one request
    QHash<std::uint32_t, bool> m_requestNames;
    QList<X11Control*> m_controls;
};
