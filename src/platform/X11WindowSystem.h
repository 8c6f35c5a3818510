#pragma once

#include "platform/WindowSystem.h"

#include <QByteArray>
#include <QHash>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

struct xcb_connection_t;

// An xcb reply, which the caller frees with free().
struct XcbFree
{
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

// Other programs' windows over xcb. Handles are the client windows (never a window
// manager's frames). With a window manager the EWMH requests are used; without one the
// windows are moved, stacked and mapped directly, and the states a manager would record
// (WM_STATE, _NET_WM_STATE) are written by us so that readers and the owner agree.
class X11WindowSystem final : public WindowSystem
{
public:
    // Our own windows keep their text here, UTF-8.
    static constexpr const char* TextProperty = "_TAVORO_TEXT";
    // ClientMessage type of the Win32-numbered messages: data32 = [message, wParam, lParam].
    static constexpr const char* MessageType = "_TAVORO_WM";
    // WM_SETTEXT names a property of this prefix holding the text; owners take no other.
    static constexpr const char* RequestPrefix = "_TAVORO_REQUEST_";

    // Uses Qt's own connection when the application runs on the xcb platform, else opens
    // one of its own to $DISPLAY. Without any display every query answers "none".
    X11WindowSystem();
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    bool IsConnected() const { return m_connection != nullptr; }
    // A window manager announces itself through _NET_SUPPORTING_WM_CHECK.
    bool WindowManagerRunning() const;
    QRect ScreenGeometry() const;

    QList<Handle> TopLevelWindows() const override;
    bool IsVisible(Handle window) const override;
    QString ClassName(Handle window) const override;
    QString Title(Handle window) const override;
    Handle FindChild(Handle parent, const QString& className) const override;
    Handle FindWindow(const QString& className, const QString& title) const override;
    QString GetText(Handle control) const override;
    bool SetText(Handle control, const QString& text) override;
    bool SendKeyDown(Handle control, int virtualKey) override;
    bool SendChar(Handle control, QChar character) override;
    QRect Geometry(Handle window) const override;
    bool MoveResize(Handle window, const QRect& geometry) override;
    bool SetShowState(Handle window, ShowState state) override;
    ShowState GetShowState(Handle window) const override;
    bool Raise(Handle window) override;
    bool SetKeepAbove(Handle window, bool above) override;
    bool RequestClose(Handle window) override;
    bool Exists(Handle window) const override;

private:
    using Atom = std::uint32_t;
    using Window = std::uint32_t;

    struct Property
    {
        Atom type = 0; // 0: the window has no such property
        int format = 0;
        QByteArray data;
        QList<std::uint32_t> Values() const;
    };

    struct Tree
    {
        Window parent = 0;
        QList<Window> children; // bottom of the stacking order first
        bool valid = false;
    };

    Atom atom(const char* name) const;
    Property property(Window window, Atom name) const;
    QString textProperty(Window window, Atom name, bool* found = nullptr) const;
    Tree tree(Window window) const;
    int wmState(Window window) const; // -1 when the window has no WM_STATE
    bool isMapped(Window window) const;
    Window clientOf(Window window) const;
    bool managed(Window window) const;  // taken on by a running window manager
    bool topLevel(Window window) const; // a client of its own, not a control inside one
    std::optional<QPoint> rootOrigin(Window window) const;
    QRect innerGeometry(Window window) const;
    QList<std::uint32_t> frameExtents(Window window) const;

    bool clientMessage(Window destination, std::uint32_t eventMask, Window window, Atom type,
                       const QList<std::uint32_t>& data);
    bool sendMessage(Window window, int message, std::uint32_t wParam, std::uint32_t lParam);
    bool sendToRoot(Window window, Atom type, const QList<std::uint32_t>& data);
    bool setWmState(Window window, std::uint32_t state);
    bool setNetWmMaximized(Window window, bool maximized);
    bool configure(Window window, const QRect& rootGeometry);
    bool mapWindow(Window window);
    bool unmapWindow(Window window);
    bool raiseDirectly(Window window);

    xcb_connection_t* m_connection = nullptr;
    bool m_ownConnection = false;
    Window m_root = 0;
    mutable QHash<QByteArray, Atom> m_atoms;
    std::uint32_t m_requestBase = 0; // makes request property names unique on the display
    unsigned int m_requestCount = 0;
};
