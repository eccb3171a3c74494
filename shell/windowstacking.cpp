#include "windowstacking.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <memory>

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window)
{
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &free);
    return geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
}

// Asks the window manager to add or remove _NET_WM_STATE_ABOVE, the way the EWMH wants a
// mapped window's state changed. False when there is no X11 display to ask.
bool requestKeepAbove(QWidget& window, bool above)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window.windowHandle())
        return false;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = rootOf(connection, id);
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t keepAbove = internAtom(connection, "_NET_WM_STATE_ABOVE");
    if (root == XCB_WINDOW_NONE || state == XCB_ATOM_NONE || keepAbove == XCB_ATOM_NONE)
        return false;

    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = state;
    event.data.data32[0] = above ? 1 : 0; // _NET_WM_STATE_ADD or _NET_WM_STATE_REMOVE
    event.data.data32[1] = keepAbove;
    event.data.data32[3] = 1; // the request comes from an ordinary application
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
    return true;
}

void keepAbove(QWidget& window, bool above)
{
    // Not shown yet: the hint goes with the first map and nothing is re-created.
    if (!window.isVisible()) {
        window.setWindowFlag(Qt::WindowStaysOnTopHint, above);
        return;
    }
    if (requestKeepAbove(window, above))
        return;
    // Changing Qt's flag now would hide and re-create the window: leave the stacking as it is.
}

} // namespace

void DesktopWindowStacking::makeTopMost(QWidget& window)
{
    keepAbove(window, true);
}

void DesktopWindowStacking::makeNormal(QWidget& window)
{
    keepAbove(window, false);
}
