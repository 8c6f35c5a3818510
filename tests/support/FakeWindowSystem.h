#pragma once

#include "platform/WindowSystem.h"

#include <QHash>
#include <QStringList>

#include <functional>

// Windows held in memory, for tests that must not need a display. Windows are created
// on top of the stacking order; every message a control receives is recorded.
class FakeWindowSystem final : public WindowSystem
{
public:
    struct Window
    {
        Handle parent = 0;
        QString className;
        QString title;
        QString text;
        bool visible = true;
        bool above = false;
        ShowState state = ShowState::Normal;
        QRect geometry{0, 0, 800, 600};
        bool ignoresClose = false; // stays open when asked to close, as if asking the user
        QStringList received;      // "settext:...", "keydown:13", "char:A"
    };

    Handle AddWindow(const QString& className, const QString& title, bool visible = true);
    Handle AddChild(Handle parent, const QString& className, const QString& text = QString());
    // The chain of classes under a frame, each the child of the one before; returns the last.
    Handle AddChain(Handle frame, const QStringList& classes);
    // A browser ("IEFrame") or folder ("CabinetWClass") frame on top, with the address bar
    // chain holding address unless addressBar is false; returns the frame.
    Handle AddFrame(const QString& className, const QString& title, const QString& address,
                    bool addressBar = true);
    // The frame's address-bar edit control, or 0.
    Handle EditOf(Handle frame) const;
    void Remove(Handle window);
    Window& Get(Handle window) { return m_windows[window]; }

    // Runs when a control receives a message (for example a frame navigating on Enter).
    std::function<void(Handle control, const QString& message)> onMessage;
    // How often the top-level windows were listed (each refresh of a window list does).
    mutable int listings = 0;

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
    void deliver(Handle control, const QString& message);

    QHash<Handle, Window> m_windows;
    QList<Handle> m_stacking; // top-level windows, bottom first
    QList<Handle> m_order;    // every window in creation order
    Handle m_next = 0x400001;
};
