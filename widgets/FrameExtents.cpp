#include "widgets/FrameExtents.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

namespace rotenu {
namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> Owned(Reply* reply) {
    return {reply, &std::free};
}

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
    const auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property of `type`, at most `count` of them; none where the
// window has no such property.
std::vector<uint32_t> Property32(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                 xcb_atom_t type, uint32_t count) {
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// left, right, top, bottom, as the window manager wrote them.
std::optional<QMargins> ReadFrameExtents(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t extents) {
    const std::vector<uint32_t> value = Property32(connection, window, extents, XCB_ATOM_CARDINAL, 4);
    if (value.size() != 4)
        return std::nullopt;
    return QMargins(static_cast<int>(value[0]), static_cast<int>(value[2]), static_cast<int>(value[1]),
                    static_cast<int>(value[3]));
}

// The window that a running window manager names on the root window, and on itself, as its own.
// One that has ended may leave the root's properties behind, but not that window.
bool WindowManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto named = [&](xcb_window_t on) -> std::optional<xcb_window_t> {
        const std::vector<uint32_t> value = Property32(connection, on, check, XCB_ATOM_WINDOW, 1);
        if (value.size() != 1)
            return std::nullopt;
        return value.front();
    };
    const std::optional<xcb_window_t> own = named(root);
    return own && named(*own) == own;
}

xcb_connection_t* WindowsConnection(QWidget& window) {
    // Other platforms (offscreen among them) may hand out an X11 interface too, without a
    // connection of windows.
    if (!qGuiApp || QGuiApplication::platformName() != QStringLiteral("xcb") || !window.isWindow())
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The window manager counts device pixels; the window's geometry counts Qt's pixels.
QMargins InQtPixels(const QMargins& frame, qreal ratio) {
    return {qRound(frame.left() / ratio), qRound(frame.top() / ratio), qRound(frame.right() / ratio),
            qRound(frame.bottom() / ratio)};
}

} // namespace

std::optional<QMargins> CurrentFrameExtents(QWidget& window) {
    xcb_connection_t* connection = WindowsConnection(window);
    if (!connection)
        return std::nullopt;
    const auto known = ReadFrameExtents(connection, static_cast<xcb_window_t>(window.winId()),
                                        Atom(connection, "_NET_FRAME_EXTENTS"));
    if (!known)
        return std::nullopt;
    return InQtPixels(*known, window.devicePixelRatioF());
}

bool InWindowManagerFrame(QWidget& window) {
    xcb_connection_t* connection = WindowsConnection(window);
    if (!connection)
        return false;
    const auto tree = Owned(xcb_query_tree_reply(
        connection, xcb_query_tree(connection, static_cast<xcb_window_t>(window.winId())), nullptr));
    return tree && tree->parent != tree->root;
}

FrameSupport WindowManagerFrameSupport(QWidget& window) {
    xcb_connection_t* connection = WindowsConnection(window);
    if (!connection)
        return {};
    const auto geometry = Owned(xcb_get_geometry_reply(
        connection, xcb_get_geometry(connection, static_cast<xcb_window_t>(window.winId())), nullptr));
    // One that has ended may leave its list of features on the root window.
    if (!geometry || !WindowManagerRuns(connection, geometry->root))
        return {};
    const std::vector<xcb_atom_t> features =
        Property32(connection, geometry->root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    const auto supports = [&](std::string_view feature) {
        return std::ranges::find(features, Atom(connection, feature)) != features.end();
    };
    return {.written = supports("_NET_FRAME_EXTENTS"), .announced = supports("_NET_REQUEST_FRAME_EXTENTS")};
}

std::optional<QMargins> AnnouncedFrameExtents(QWidget& window, FrameSupport support,
                                              std::chrono::milliseconds patience) {
    xcb_connection_t* connection = WindowsConnection(window);
    if (!connection)
        return std::nullopt;
    const auto native = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    const auto scaled = [ratio = window.devicePixelRatioF()](const QMargins& frame) {
        return InQtPixels(frame, ratio);
    };
    if (auto known = ReadFrameExtents(connection, native, extents))
        return scaled(*known);
    if (!support.announced)
        return std::nullopt;
    const auto geometry =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, native), nullptr));
    if (!geometry)
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = native;
    message.type = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    // The window manager answers within a round trip or two; the window is not up yet, so a
    // short wait holds nothing that the user sees.
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    do {
        if (auto answered = ReadFrameExtents(connection, native, extents))
            return scaled(*answered);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    } while (std::chrono::steady_clock::now() < giveUp);
    return std::nullopt;
}

} // namespace rotenu
