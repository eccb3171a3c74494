#pragma once

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <memory>

// What the window manager says about a window of this program, read from the X server.
namespace x11windowstate {

inline xcb_connection_t* connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

inline xcb_atom_t atom(const char* name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(
            connection(), xcb_intern_atom(connection(), 0, uint16_t(qstrlen(name)), name), nullptr),
        &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Whether the window manager lists `state` ("_NET_WM_STATE_HIDDEN") among the window's states.
inline bool hasState(const QWidget& window, const char* state)
{
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection(),
                               xcb_get_property(connection(), 0, xcb_window_t(window.winId()),
                                                atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64),
                               nullptr),
        &free);
    if (!reply)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    const xcb_atom_t wanted = atom(state);
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

// Whether the window manager lists the window as kept above the others.
inline bool keptAbove(const QWidget& window)
{
    return hasState(window, "_NET_WM_STATE_ABOVE");
}

} // namespace x11windowstate
