#include "platform/X11WindowSystem.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// ICCCM WM_STATE values.
constexpr std::uint32_t NormalState = 1;
constexpr std::uint32_t IconicState = 3;

// EWMH: requests from a pager or tool are honoured even without a user timestamp.
constexpr std::uint32_t SourceTool = 2;
constexpr std::uint32_t NetWmStateRemove = 0;
constexpr std::uint32_t NetWmStateAdd = 1;

// Long enough for any text property; counted in 32-bit units.
constexpr std::uint32_t MaxPropertyLength = 1u << 22;

// A frame nests its client a level or two down; deeper searches only cost time.
constexpr int FrameSearchDepth = 3;

bool succeeded(xcb_connection_t* connection, xcb_void_cookie_t cookie)
{
    XcbReply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
    return !error;
}

QString decodeText(const QByteArray& bytes, bool utf8)
{
    QByteArray text = bytes;
    while (text.endsWith('\0'))
        text.chop(1);
    if (utf8)
        return QString::fromUtf8(text);
    // STRING is Latin-1, but many clients put UTF-8 there; take it when it decodes.
    const QString asUtf8 = QString::fromUtf8(text);
    return asUtf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(text) : asUtf8;
}

} // namespace

QList<std::uint32_t> X11WindowSystem::Property::Values() const
{
    QList<std::uint32_t> values;
    if (format != 32 || data.size() < 4)
        return values;
    values.resize(data.size() / 4);
    std::memcpy(values.data(), data.constData(), values.size() * 4);
    return values;
}

X11WindowSystem::X11WindowSystem()
{
    int screen = 0;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection()) {
        m_connection = x11->connection();
        char* host = nullptr;
        int display = 0;
        if (xcb_parse_display(nullptr, &host, &display, &screen) == 0)
            screen = 0;
        std::free(host);
    } else if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
        m_connection = xcb_connect(nullptr, &screen);
        if (xcb_connection_has_error(m_connection)) {
            xcb_disconnect(m_connection);
            m_connection = nullptr;
            return;
        }
        m_ownConnection = true;
    }
    if (!m_connection)
        return;

    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    m_root = roots.data->root;
    for (int i = 0; i < screen && roots.rem > 1; ++i) {
        xcb_screen_next(&roots);
        m_root = roots.data->root;
    }
    m_requestBase = xcb_generate_id(m_connection);

    // Intern the usual names in one round trip instead of one each.
    static const char* const names[] = {"WM_STATE",
                                        "WM_CLASS",
                                        "WM_NAME",
                                        "WM_CHANGE_STATE",
                                        "WM_PROTOCOLS",
                                        "WM_DELETE_WINDOW",
                                        "UTF8_STRING",
                                        "_NET_WM_NAME",
                                        "_NET_SUPPORTING_WM_CHECK",
                                        "_NET_CLIENT_LIST_STACKING",
                                        "_NET_ACTIVE_WINDOW",
                                        "_NET_CLOSE_WINDOW",
                                        "_NET_WM_STATE",
                                        "_NET_WM_STATE_ABOVE",
                                        "_NET_WM_STATE_MAXIMIZED_VERT",
                                        "_NET_WM_STATE_MAXIMIZED_HORZ",
                                        "_NET_MOVERESIZE_WINDOW",
                                        "_NET_FRAME_EXTENTS",
                                        "_TAVORO_NORMAL_GEOMETRY",
                                        TextProperty,
                                        MessageType};
    QList<xcb_intern_atom_cookie_t> cookies;
    for (const char* name : names)
        cookies.append(xcb_intern_atom(m_connection, 0, std::strlen(name), name));
    for (int i = 0; i < cookies.size(); ++i) {
        XcbReply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_connection, cookies[i], nullptr));
        if (reply)
            m_atoms.insert(names[i], reply->atom);
    }
}

X11WindowSystem::~X11WindowSystem()
{
    if (m_ownConnection)
        xcb_disconnect(m_connection);
}

X11WindowSystem::Atom X11WindowSystem::atom(const char* name) const
{
    if (!m_connection)
        return XCB_ATOM_NONE; // no display: nothing to name
    const QByteArray key(name);
    const auto found = m_atoms.constFind(key);
    if (found != m_atoms.cend())
        return *found;
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, key.size(), key.constData()), nullptr));
    if (!reply)
        return XCB_ATOM_NONE;
    m_atoms.insert(key, reply->atom);
    return reply->atom;
}

X11WindowSystem::Property X11WindowSystem::property(Window window, Atom name) const
{
    Property result;
    if (!m_connection || !window || !name)
        return result;
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 0, window, name,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, MaxPropertyLength),
                               &error));
    std::free(error);
    if (!reply)
        return result;
    result.type = reply->type;
    result.format = reply->format;
    result.data = QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
    return result;
}

QString X11WindowSystem::textProperty(Window window, Atom name, bool* found) const
{
    const Property value = property(window, name);
    if (found)
        *found = value.type != XCB_ATOM_NONE;
    if (value.type == XCB_ATOM_NONE)
        return QString();
    return decodeText(value.data, value.type == atom("UTF8_STRING"));
}

X11WindowSystem::Tree X11WindowSystem::tree(Window window) const
{
    Tree result;
    if (!m_connection || !window)
        return result;
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), &error));
    std::free(error);
    if (!reply)
        return result;
    result.valid = true;
    result.parent = reply->parent;
    const xcb_window_t* children = xcb_query_tree_children(reply.get());
    const int count = xcb_query_tree_children_length(reply.get());
    result.children.reserve(count);
    for (int i = 0; i < count; ++i)
        result.children.append(children[i]);
    return result;
}

int X11WindowSystem::wmState(Window window) const
{
    const QList<std::uint32_t> values = property(window, atom("WM_STATE")).Values();
    return values.isEmpty() ? -1 : static_cast<int>(values.first());
}

bool X11WindowSystem::isMapped(Window window) const
{
    if (!m_connection || !window)
        return false;
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), &error));
    std::free(error);
    return reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
}

X11WindowSystem::Window X11WindowSystem::clientOf(Window window) const
{
    if (wmState(window) >= 0)
        return window;
    QList<Window> level = tree(window).children;
    for (int depth = 0; depth < FrameSearchDepth && !level.isEmpty(); ++depth) {
        QList<Window> next;
        for (const Window child : level) {
            if (wmState(child) >= 0)
                return child;
            next.append(tree(child).children);
        }
        level = next;
    }
    return window;
}

bool X11WindowSystem::managed(Window window) const
{
    return wmState(window) >= 0 && WindowManagerRunning();
}

bool X11WindowSystem::topLevel(Window window) const
{
    return wmState(window) >= 0 || tree(window).parent == m_root;
}

bool X11WindowSystem::WindowManagerRunning() const
{
    const Atom check = atom("_NET_SUPPORTING_WM_CHECK");
    const QList<std::uint32_t> fromRoot = property(m_root, check).Values();
    if (fromRoot.isEmpty() || !fromRoot.first())
        return false;
    // A manager that died leaves the root's property behind; its own window confirms it.
    const QList<std::uint32_t> fromWindow = property(fromRoot.first(), check).Values();
    return !fromWindow.isEmpty() && fromWindow.first() == fromRoot.first();
}

QRect X11WindowSystem::ScreenGeometry() const
{
    if (!m_connection)
        return QRect();
    XcbReply<xcb_get_geometry_reply_t> reply(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, m_root), nullptr));
    return reply ? QRect(0, 0, reply->width, reply->height) : QRect();
}

QList<WindowSystem::Handle> X11WindowSystem::TopLevelWindows() const
{
    QList<Handle> topFirst;
    if (!m_connection)
        return topFirst;
    QList<Window> bottomFirst;
    bool fromManager = false;
    if (WindowManagerRunning()) {
        const Property stacking = property(m_root, atom("_NET_CLIENT_LIST_STACKING"));
        fromManager = stacking.type != XCB_ATOM_NONE;
        bottomFirst = stacking.Values();
    }
    if (!fromManager) {
        for (const Window child : tree(m_root).children)
            bottomFirst.append(clientOf(child));
    }

    // Ask for every WM_CLASS at once; windows without one are Qt's helpers and the like.
    QList<xcb_get_property_cookie_t> cookies;
    cookies.reserve(bottomFirst.size());
    for (const Window window : bottomFirst)
        cookies.append(xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_CLASS,
                                        XCB_GET_PROPERTY_TYPE_ANY, 0, 0));
    QList<bool> hasClass(bottomFirst.size(), false);
    for (int i = 0; i < cookies.size(); ++i) {
        xcb_generic_error_t* error = nullptr;
        XcbReply<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(m_connection, cookies[i], &error));
        std::free(error);
        hasClass[i] = reply && reply->type != XCB_ATOM_NONE;
    }
    for (int i = bottomFirst.size() - 1; i >= 0; --i) {
        if (hasClass[i] && !topFirst.contains(bottomFirst[i]))
            topFirst.append(bottomFirst[i]);
    }
    return topFirst;
}

bool X11WindowSystem::IsVisible(Handle handle) const
{
    // Like WS_VISIBLE on every ancestor: a control is visible while it and the windows
    // holding it are mapped, up to its top-level window, which may also be iconic.
    Window window = static_cast<Window>(handle);
    for (int depth = 0; window && depth < 64; ++depth) {
        const int state = wmState(window);
        const bool mapped = isMapped(window);
        if (state >= 0)
            return mapped || state == static_cast<int>(IconicState);
        if (!mapped)
            return false;
        const Tree up = tree(window);
        if (!up.valid || up.parent == m_root || !up.parent)
            return true;
        window = up.parent;
    }
    return false;
}

QString X11WindowSystem::ClassName(Handle window) const
{
    const Property wmClass = property(static_cast<Window>(window), XCB_ATOM_WM_CLASS);
    const QList<QByteArray> parts = wmClass.data.split('\0');
    // "instance\0class\0": the class is the second part.
    return parts.size() > 1 ? decodeText(parts[1], false) : QString();
}

QString X11WindowSystem::Title(Handle handle) const
{
    const Window window = static_cast<Window>(handle);
    bool found = false;
    const QString title = textProperty(window, atom("_NET_WM_NAME"), &found);
    return found ? title : textProperty(window, XCB_ATOM_WM_NAME);
}

WindowSystem::Handle X11WindowSystem::FindChild(Handle parent, const QString& className) const
{
    // Children come bottom first, which for siblings never restacked is creation order.
    for (const Window child : tree(static_cast<Window>(parent)).children) {
        if (ClassName(child) == className)
            return child;
    }
    return 0;
}

WindowSystem::Handle X11WindowSystem::FindWindow(const QString& className,
                                                 const QString& title) const
{
    const auto matches = [&](Handle window) {
        return ClassName(window) == className && Title(window) == title;
    };
    const QList<Handle> listed = TopLevelWindows();
    for (const Handle window : listed) {
        if (matches(window))
            return window;
    }
    // A manager lists only the windows it manages, but a hidden window (ours, in the tray)
    // is a top-level window too and must be found, as the previous instance is.
    if (WindowManagerRunning()) {
        const QList<Window> children = tree(m_root).children;
        for (auto child = children.crbegin(); child != children.crend(); ++child) {
            const Window client = clientOf(*child);
            if (!listed.contains(client) && matches(client))
                return client;
        }
    }
    return 0;
}

QString X11WindowSystem::GetText(Handle handle) const
{
    bool found = false;
    const QString text = textProperty(static_cast<Window>(handle), atom(TextProperty), &found);
    return found ? text : Title(handle);
}

bool X11WindowSystem::clientMessage(Window destination, std::uint32_t eventMask, Window window,
                                    Atom type, const QList<std::uint32_t>& data)
{
    if (!m_connection || !window)
        return false;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    for (int i = 0; i < data.size() && i < 5; ++i)
        event.data.data32[i] = data[i];
    return succeeded(m_connection, xcb_send_event_checked(m_connection, 0, destination, eventMask,
                                                          reinterpret_cast<const char*>(&event)));
}

bool X11WindowSystem::sendMessage(Window window, int message, std::uint32_t wParam,
                                  std::uint32_t lParam)
{
    // No event mask: the event goes to the client that created the window, its owner.
    return clientMessage(window, XCB_EVENT_MASK_NO_EVENT, window, atom(MessageType),
                         {static_cast<std::uint32_t>(message), wParam, lParam});
}

bool X11WindowSystem::sendToRoot(Window window, Atom type, const QList<std::uint32_t>& data)
{
    return clientMessage(m_root,
                         XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                         window, type, data);
}

bool X11WindowSystem::SetText(Handle handle, const QString& text)
{
    const Window control = static_cast<Window>(handle);
    if (!Exists(handle))
        return false;
    // The text travels in a property of its own; a few names in turn keep requests that
    // are still unread apart without creating a new atom for every call.
    const QByteArray bytes = text.toUtf8();
    // A request longer than the server takes would drop our connection.
    if (bytes.size() > qsizetype(xcb_get_maximum_request_length(m_connection)) * 4 - 28)
        return false;
    const QByteArray name = RequestPrefix + QByteArray::number(m_requestBase, 16) + '_' +
                            QByteArray::number(m_requestCount++ % 8);
    const Atom request = atom(name.constData());
    if (!succeeded(m_connection, xcb_change_property_checked(m_connection, XCB_PROP_MODE_REPLACE,
                                                             control, request, atom("UTF8_STRING"),
                                                             8, bytes.size(), bytes.constData())))
        return false;
    return sendMessage(control, WM_SETTEXT, 0, request);
}

bool X11WindowSystem::SendKeyDown(Handle control, int virtualKey)
{
    return sendMessage(static_cast<Window>(control), WM_KEYDOWN,
                       static_cast<std::uint32_t>(virtualKey), 0);
}

bool X11WindowSystem::SendChar(Handle control, QChar character)
{
    return sendMessage(static_cast<Window>(control), WM_CHAR, character.unicode(), 0);
}

std::optional<QPoint> X11WindowSystem::rootOrigin(Window window) const
{
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), &error));
    std::free(error);
    if (!origin)
        return std::nullopt;
    return QPoint(origin->dst_x, origin->dst_y);
}

QRect X11WindowSystem::innerGeometry(Window window) const
{
    if (!m_connection || !window)
        return QRect();
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_geometry_reply_t> size(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), &error));
    std::free(error);
    const std::optional<QPoint> origin = rootOrigin(window);
    if (!size || !origin)
        return QRect();
    // The outer edge includes the window's own border.
    const int border = size->border_width;
    return QRect(origin->x() - border, origin->y() - border, size->width + 2 * border,
                 size->height + 2 * border);
}

QList<std::uint32_t> X11WindowSystem::frameExtents(Window window) const
{
    QList<std::uint32_t> extents = property(window, atom("_NET_FRAME_EXTENTS")).Values();
    if (extents.size() < 4)
        extents = {0, 0, 0, 0};
    return extents; // left, right, top, bottom
}

QRect X11WindowSystem::Geometry(Handle handle) const
{
    const Window window = static_cast<Window>(handle);
    const QRect inner = innerGeometry(window);
    if (inner.isNull() || !managed(window))
        return inner;
    const QList<std::uint32_t> e = frameExtents(window);
    return inner.adjusted(-static_cast<int>(e[0]), -static_cast<int>(e[2]), static_cast<int>(e[1]),
                          static_cast<int>(e[3]));
}

bool X11WindowSystem::configure(Window window, const QRect& rootGeometry)
{
    const Tree up = tree(window);
    XcbReply<xcb_get_geometry_reply_t> current(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    if (!up.valid || !current)
        return false;
    // Positions are relative to the parent; ours are in root coordinates.
    const std::optional<QPoint> parentOrigin =
        up.parent == m_root ? QPoint() : rootOrigin(up.parent);
    if (!parentOrigin)
        return false;
    const int border = current->border_width;
    const std::uint32_t values[] = {
        static_cast<std::uint32_t>(rootGeometry.x() - parentOrigin->x()),
        static_cast<std::uint32_t>(rootGeometry.y() - parentOrigin->y()),
        static_cast<std::uint32_t>(std::max(1, rootGeometry.width() - 2 * border)),
        static_cast<std::uint32_t>(std::max(1, rootGeometry.height() - 2 * border))};
    const std::uint16_t mask = XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                               XCB_CONFIG_WINDOW_HEIGHT;
    return succeeded(m_connection,
                     xcb_configure_window_checked(m_connection, window, mask, values));
}

bool X11WindowSystem::MoveResize(Handle handle, const QRect& geometry)
{
    const Window window = static_cast<Window>(handle);
    if (!Exists(handle) || !geometry.isValid())
        return false;
    if (!managed(window))
        return configure(window, geometry);
    // Static gravity names the client's own position, which every manager reads alike;
    // openbox, for one, does not honour north-west gravity here.
    const QList<std::uint32_t> e = frameExtents(window);
    const int left = static_cast<int>(e[0]);
    const int top = static_cast<int>(e[2]);
    const int width = std::max(1, geometry.width() - left - static_cast<int>(e[1]));
    const int height = std::max(1, geometry.height() - top - static_cast<int>(e[3]));
    constexpr std::uint32_t staticGravity = 10;
    constexpr std::uint32_t allFields = 0xF << 8;
    return sendToRoot(window, atom("_NET_MOVERESIZE_WINDOW"),
                      {staticGravity | allFields | (SourceTool << 12),
                       static_cast<std::uint32_t>(geometry.x() + left),
                       static_cast<std::uint32_t>(geometry.y() + top),
                       static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});
}

bool X11WindowSystem::setWmState(Window window, std::uint32_t state)
{
    const std::uint32_t value[] = {state, XCB_WINDOW_NONE};
    const Atom wmStateAtom = atom("WM_STATE");
    return succeeded(m_connection,
                     xcb_change_property_checked(m_connection, XCB_PROP_MODE_REPLACE, window,
                                                 wmStateAtom, wmStateAtom, 32, 2, value));
}

bool X11WindowSystem::setNetWmMaximized(Window window, bool maximized)
{
    const Atom vert = atom("_NET_WM_STATE_MAXIMIZED_VERT");
    const Atom horz = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    QList<std::uint32_t> states = property(window, atom("_NET_WM_STATE")).Values();
    states.removeAll(vert);
    states.removeAll(horz);
    if (maximized)
        states << vert << horz;
    return succeeded(m_connection, xcb_change_property_checked(
                                       m_connection, XCB_PROP_MODE_REPLACE, window,
                                       atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                                       static_cast<std::uint32_t>(states.size()), states.data()));
}

bool X11WindowSystem::mapWindow(Window window)
{
    return succeeded(m_connection, xcb_map_window_checked(m_connection, window));
}

bool X11WindowSystem::unmapWindow(Window window)
{
    return succeeded(m_connection, xcb_unmap_window_checked(m_connection, window));
}

bool X11WindowSystem::raiseDirectly(Window window)
{
    const std::uint32_t above[] = {XCB_STACK_MODE_ABOVE};
    if (!succeeded(m_connection, xcb_configure_window_checked(m_connection, window,
                                                              XCB_CONFIG_WINDOW_STACK_MODE, above)))
        return false;
    // Fails harmlessly while the window is not viewable.
    succeeded(m_connection, xcb_set_input_focus_checked(m_connection, XCB_INPUT_FOCUS_PARENT,
                                                        window, XCB_CURRENT_TIME));
    return true;
}

bool X11WindowSystem::SetShowState(Handle handle, ShowState state)
{
    const Window window = static_cast<Window>(handle);
    if (!Exists(handle))
        return false;
    const Atom netWmState = atom("_NET_WM_STATE");
    const Atom vert = atom("_NET_WM_STATE_MAXIMIZED_VERT");
    const Atom horz = atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    const Atom activate = atom("_NET_ACTIVE_WINDOW");
    const Atom normalGeometry = atom("_TAVORO_NORMAL_GEOMETRY");

    if (WindowManagerRunning()) {
        // Never unmap here: the manager maps and unmaps the windows it manages. It ignores
        // requests about a hidden window, which is shown by mapping it.
        const bool hidden = !isMapped(window) && wmState(window) != static_cast<int>(IconicState);
        if (state == ShowState::Minimized)
            return sendToRoot(window, atom("WM_CHANGE_STATE"), {IconicState});
        const bool maximize = state == ShowState::Maximized;
        if (hidden)
            return setNetWmMaximized(window, maximize) && mapWindow(window);
        const bool restoring = !maximize && GetShowState(handle) == ShowState::Maximized;
        const bool sent =
            sendToRoot(window, netWmState,
                       {maximize ? NetWmStateAdd : NetWmStateRemove, vert, horz, SourceTool}) &&
            sendToRoot(window, activate, {SourceTool, XCB_CURRENT_TIME, 0});
        // A placement often follows a restore, and needs the restored window's frame: the
        // manager changes the frame (its borders come back) when it drops the state.
        const QDeadlineTimer deadline(1000);
        while (sent && restoring && GetShowState(handle) == ShowState::Maximized &&
               !deadline.hasExpired())
            QThread::msleep(10);
        return sent;
    }

    // No manager: do its work, and record the state where a manager would, so that
    // GetShowState and the window's owner (Qt reads WM_STATE and _NET_WM_STATE) agree.
    const bool wasMaximized = GetShowState(handle) == ShowState::Maximized;
    switch (state) {
    case ShowState::Minimized:
        return setWmState(window, IconicState) && unmapWindow(window);
    case ShowState::Maximized: {
        if (!wasMaximized) {
            const QRect normal = Geometry(handle);
            const std::uint32_t saved[] = {static_cast<std::uint32_t>(normal.x()),
                                           static_cast<std::uint32_t>(normal.y()),
                                           static_cast<std::uint32_t>(normal.width()),
                                           static_cast<std::uint32_t>(normal.height())};
            succeeded(m_connection,
                      xcb_change_property_checked(m_connection, XCB_PROP_MODE_REPLACE, window,
                                                  normalGeometry, XCB_ATOM_CARDINAL, 32, 4, saved));
        }
        bool ok = configure(window, ScreenGeometry()) && setNetWmMaximized(window, true);
        if (wmState(window) >= 0)
            ok = setWmState(window, NormalState) && ok;
        return mapWindow(window) && ok;
    }
    case ShowState::Normal: {
        bool ok = true;
        if (wasMaximized) {
            const QList<std::uint32_t> saved = property(window, normalGeometry).Values();
            if (saved.size() == 4) {
                ok = configure(window,
                               QRect(static_cast<std::int32_t>(saved[0]),
                                     static_cast<std::int32_t>(saved[1]),
                                     static_cast<int>(saved[2]), static_cast<int>(saved[3])));
            }
            ok = setNetWmMaximized(window, false) && ok;
        }
        if (wmState(window) >= 0)
            ok = setWmState(window, NormalState) && ok;
        return mapWindow(window) && ok;
    }
    }
    return false;
}

WindowSystem::ShowState X11WindowSystem::GetShowState(Handle handle) const
{
    const Window window = static_cast<Window>(handle);
    if (wmState(window) == static_cast<int>(IconicState))
        return ShowState::Minimized;
    const QList<std::uint32_t> states = property(window, atom("_NET_WM_STATE")).Values();
    if (states.contains(atom("_NET_WM_STATE_MAXIMIZED_VERT")) &&
        states.contains(atom("_NET_WM_STATE_MAXIMIZED_HORZ")))
        return ShowState::Maximized;
    return ShowState::Normal;
}

bool X11WindowSystem::Raise(Handle handle)
{
    const Window window = static_cast<Window>(handle);
    if (!Exists(handle))
        return false;
    if (!topLevel(window) || !WindowManagerRunning())
        return raiseDirectly(window);
    if (!sendToRoot(window, atom("_NET_ACTIVE_WINDOW"), {SourceTool, XCB_CURRENT_TIME, 0}))
        return false;
    // Raises come one after another (a cascade raises each window in turn): wait until the
    // manager has put this one on top, so that the next lands above it and not below.
    const auto onTop = [&] {
        const QList<std::uint32_t> bottomFirst =
            property(m_root, atom("_NET_CLIENT_LIST_STACKING")).Values();
        return !bottomFirst.isEmpty() && bottomFirst.constLast() == window;
    };
    const QDeadlineTimer deadline(300);
    while (!onTop() && !deadline.hasExpired())
        QThread::msleep(10);
    return true;
}

bool X11WindowSystem::SetKeepAbove(Handle handle, bool above)
{
    const Window window = static_cast<Window>(handle);
    if (!Exists(handle))
        return false;
    if (topLevel(window) && WindowManagerRunning()) {
        return sendToRoot(
            window, atom("_NET_WM_STATE"),
            {above ? NetWmStateAdd : NetWmStateRemove, atom("_NET_WM_STATE_ABOVE"), 0, SourceTool});
    }
    // Nobody keeps a window above others without a manager; raising it is what we can do.
    return !above || raiseDirectly(window);
}

bool X11WindowSystem::RequestClose(Handle handle)
{
    const Window window = static_cast<Window>(handle);
    // A manager asks the window politely in its own way (and may kill a hung one).
    if (WindowManagerRunning())
        return sendToRoot(window, atom("_NET_CLOSE_WINDOW"), {XCB_CURRENT_TIME, SourceTool});
    return clientMessage(window, XCB_EVENT_MASK_NO_EVENT, window, atom("WM_PROTOCOLS"),
                         {atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME});
}

bool X11WindowSystem::Exists(Handle handle) const
{
    if (!m_connection || !handle)
        return false;
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, static_cast<Window>(handle)),
        &error));
    std::free(error);
    return reply != nullptr;
}
