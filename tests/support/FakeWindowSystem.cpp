#include "support/FakeWindowSystem.h"

WindowSystem::Handle FakeWindowSystem::AddWindow(const QString& className, const QString& title,
                                                 bool visible)
{
    const Handle handle = m_next++;
    Window window;
    window.className = className;
    window.title = title;
    window.visible = visible;
    m_windows.insert(handle, window);
    m_stacking.append(handle);
    m_order.append(handle);
    return handle;
}

WindowSystem::Handle FakeWindowSystem::AddChild(Handle parent, const QString& className,
                                                const QString& text)
{
    const Handle handle = m_next++;
    Window window;
    window.parent = parent;
    window.className = className;
    window.text = text;
    m_windows.insert(handle, window);
    m_order.append(handle);
    return handle;
}

WindowSystem::Handle FakeWindowSystem::AddChain(Handle frame, const QStringList& classes)
{
    Handle parent = frame;
    for (const QString& className : classes)
        parent = AddChild(parent, className);
    return parent;
}

void FakeWindowSystem::Remove(Handle window)
{
    for (const Handle child : QList<Handle>(m_order)) {
        if (m_windows.value(child).parent == window)
            Remove(child);
    }
    m_windows.remove(window);
    m_stacking.removeAll(window);
    m_order.removeAll(window);
}

QList<WindowSystem::Handle> FakeWindowSystem::TopLevelWindows() const
{
    ++listings;
    QList<Handle> topFirst(m_stacking.crbegin(), m_stacking.crend());
    return topFirst;
}

bool FakeWindowSystem::IsVisible(Handle window) const
{
    return m_windows.contains(window) && m_windows.value(window).visible;
}

QString FakeWindowSystem::ClassName(Handle window) const
{
    return m_windows.value(window).className;
}

QString FakeWindowSystem::Title(Handle window) const
{
    return m_windows.value(window).title;
}

WindowSystem::Handle FakeWindowSystem::FindChild(Handle parent, const QString& className) const
{
    for (const Handle handle : m_order) {
        const Window& window = m_windows[handle];
        if (window.parent == parent && window.className == className)
            return handle;
    }
    return 0;
}

WindowSystem::Handle FakeWindowSystem::FindWindow(const QString& className,
                                                  const QString& title) const
{
    for (const Handle handle : TopLevelWindows()) {
        const Window& window = m_windows[handle];
        if (window.className == className && window.title == title)
            return handle;
    }
    return 0;
}

QString FakeWindowSystem::GetText(Handle control) const
{
    return m_windows.value(control).text;
}

void FakeWindowSystem::deliver(Handle control, const QString& message)
{
    m_windows[control].received.append(message);
    if (onMessage)
        onMessage(control, message);
}

bool FakeWindowSystem::SetText(Handle control, const QString& text)
{
    if (!m_windows.contains(control))
        return false;
    m_windows[control].text = text;
    deliver(control, QStringLiteral("settext:") + text);
    return true;
}

bool FakeWindowSystem::SendKeyDown(Handle control, int virtualKey)
{
    if (!m_windows.contains(control))
        return false;
    deliver(control, QStringLiteral("keydown:") + QString::number(virtualKey));
    return true;
}

bool FakeWindowSystem::SendChar(Handle control, QChar character)
{
    if (!m_windows.contains(control))
        return false;
    deliver(control, QStringLiteral("char:") + character);
    return true;
}

QRect FakeWindowSystem::Geometry(Handle window) const
{
    return m_windows.value(window).geometry;
}

bool FakeWindowSystem::MoveResize(Handle window, const QRect& geometry)
{
    if (!m_windows.contains(window))
        return false;
    m_windows[window].geometry = geometry;
    return true;
}

bool FakeWindowSystem::SetShowState(Handle window, ShowState state)
{
    if (!m_windows.contains(window))
        return false;
    m_windows[window].state = state;
    m_windows[window].visible = true;
    return true;
}

WindowSystem::ShowState FakeWindowSystem::GetShowState(Handle window) const
{
    return m_windows.value(window).state;
}

bool FakeWindowSystem::Raise(Handle window)
{
    if (!m_stacking.contains(window))
        return false;
    m_stacking.removeAll(window);
    m_stacking.append(window);
    return true;
}

bool FakeWindowSystem::SetKeepAbove(Handle window, bool above)
{
    if (!m_windows.contains(window))
        return false;
    m_windows[window].above = above;
    if (above)
        Raise(window);
    return true;
}

bool FakeWindowSystem::RequestClose(Handle window)
{
    if (!m_windows.contains(window))
        return false;
    if (!m_windows[window].ignoresClose)
        Remove(window);
    return true;
}

bool FakeWindowSystem::Exists(Handle window) const
{
    return m_windows.contains(window);
}

namespace {
const QStringList AddressBarChain{QStringLiteral("WorkerW"), QStringLiteral("ReBarWindow32"),
                                  QStringLiteral("ComboBoxEx32"), QStringLiteral("ComboBox"),
                                  QStringLiteral("Edit")};
}

WindowSystem::Handle FakeWindowSystem::AddFrame(const QString& className, const QString& title,
                                                const QString& address, bool addressBar)
{
    const Handle frame = AddWindow(className, title);
    if (addressBar)
        m_windows[AddChain(frame, AddressBarChain)].text = address;
    return frame;
}

WindowSystem::Handle FakeWindowSystem::EditOf(Handle frame) const
{
    Handle window = frame;
    for (const QString& className : AddressBarChain) {
        window = FindChild(window, className);
        if (window == 0)
            return 0;
    }
    return window;
}
