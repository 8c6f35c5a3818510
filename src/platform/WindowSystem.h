#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <cstdint>

// Other programs' windows, as the browser integration and the single-instance hand-over
// see them. A window is a numeric handle (an X window id on X11; 0 is none). Messages
// carry the Win32 numbers the browser's contacts are defined with.
class WindowSystem
{
public:
    using Handle = std::uint64_t;

    enum class ShowState
    {
        Normal,
        Minimized,
        Maximized
    };

    static constexpr int WM_SETTEXT = 12;
    static constexpr int WM_KEYDOWN = 256;
    static constexpr int WM_CHAR = 258;
    static constexpr int VK_RETURN = 13;

    virtual ~WindowSystem() = default;

    // Top-level windows, the top of the stacking order first.
    virtual QList<Handle> TopLevelWindows() const = 0;
    // Mapped, or minimised; a withdrawn window is not visible.
    virtual bool IsVisible(Handle window) const = 0;
    virtual QString ClassName(Handle window) const = 0;
    virtual QString Title(Handle window) const = 0;
    // The first direct child of the given class, or 0.
    virtual Handle FindChild(Handle parent, const QString& className) const = 0;
    // A top-level window by class and exact title, or 0.
    virtual Handle FindWindow(const QString& className, const QString& title) const = 0;

    virtual QString GetText(Handle control) const = 0;
    virtual bool SetText(Handle control, const QString& text) = 0;
    virtual bool SendKeyDown(Handle control, int virtualKey) = 0;
    virtual bool SendChar(Handle control, QChar character) = 0;

    // Outer rectangle in pixels.
    virtual QRect Geometry(Handle window) const = 0;
    virtual bool MoveResize(Handle window, const QRect& geometry) = 0;
    virtual bool SetShowState(Handle window, ShowState state) = 0;
    virtual ShowState GetShowState(Handle window) const = 0;
    virtual bool Raise(Handle window) = 0;
    virtual bool SetKeepAbove(Handle window, bool above) = 0;
    virtual bool RequestClose(Handle window) = 0;
    virtual bool Exists(Handle window) const = 0;
};
