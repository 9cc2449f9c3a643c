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

}  // namespace testing_support
