#include "tests/support/WindowSystem.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <xcb/xcb.h>

namespace testing_support {

namespace {

constexpr int SettleBoundMs = 10000;
constexpr int SettleStepMs = 50;

xcb_connection_t* Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
ReplyPtr<Reply> Own(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// The window manager's frame: the ancestor of the client window that is a child of the root.
xcb_window_t FrameOf(xcb_connection_t* connection, xcb_window_t window)
{
    for (;;) {
        auto tree =
            Own(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
}

// The frame's rectangle on the screen, or an empty one while the window is not viewable or not
// yet framed.
QRect FrameRect(xcb_connection_t* connection, xcb_window_t client)
{
    auto attributes = Own(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, client), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return {};
    const xcb_window_t frame = FrameOf(connection, client);
    if (frame == client)
        return {};
    auto geometry =
        Own(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, frame), nullptr));
    if (!geometry)
        return {};
    const int border = geometry->border_width;
    return {geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border};
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    auto reply = Own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

}  // namespace

bool OnRealDesktop()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") && Connection();
}

QRect SettledOuterGeometry(QWidget& window)
{
    if (!OnRealDesktop() || !window.isVisible())
        return window.frameGeometry();
    xcb_connection_t* connection = Connection();
    const auto client = xcb_window_t(window.winId());
    QRect last;
    for (int waited = 0; waited < SettleBoundMs; waited += SettleStepMs) {
        QTest::qWait(SettleStepMs);
        const QRect now = FrameRect(connection, client);
        if (!now.isEmpty() && now == last)
            return now;
        last = now;
    }
    return last;
}

bool UserMayResize(QWidget& window)
{
    if (!OnRealDesktop())
        return window.minimumSize() != window.maximumSize();
    xcb_connection_t* connection = Connection();
    const xcb_atom_t allowed = Atom(connection, "_NET_WM_ALLOWED_ACTIONS");
    const xcb_atom_t resize = Atom(connection, "_NET_WM_ACTION_RESIZE");
    (void)SettledOuterGeometry(window);  // the window manager sets the actions when it frames
    auto reply =
        Own(xcb_get_property_reply(connection,
                                   xcb_get_property(connection, 0, xcb_window_t(window.winId()),
                                                    allowed, XCB_ATOM_ATOM, 0, 64),
                                   nullptr));
    if (!reply)
        return true;
    const auto* actions = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(actions, actions + count, resize) != actions + count;
}

}  // namespace testing_support
