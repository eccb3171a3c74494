#include "windowstacking.h"

#include "x11.h"

#include <QWidget>

namespace {

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window)
{
    const auto geometry = x11::reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
}

// Asks the window manager to add or remove _NET_WM_STATE_ABOVE, the way the EWMH wants a
// mapped window's state changed. False when there is no X11 display to ask.
bool requestKeepAbove(QWidget& window, bool above)
{
    xcb_connection_t* connection = x11::connection();
    if (!connection || !window.windowHandle())
        return false;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = rootOf(connection, id);
    const xcb_atom_t state = x11::atom(connection, "_NET_WM_STATE");
    const xcb_atom_t keepAbove = x11::atom(connection, "_NET_WM_STATE_ABOVE");
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
