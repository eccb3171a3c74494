#pragma once

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

// The little the programs ask of the X server themselves (stacking, display modes, the end of
// the start-up feedback). Include it only where xcb is linked.
namespace x11 {

// A reply of the server, freed with it.
template <typename T> using Reply = std::unique_ptr<T, decltype(&free)>;

template <typename T> Reply<T> reply(T* raw)
{
    return Reply<T>(raw, &free);
}

// None when the program does not run on an X11 display.
inline xcb_connection_t* connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

inline xcb_screen_t* defaultScreen(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

// XCB_ATOM_NONE when the server gives no answer.
inline xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto answer = reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return answer ? answer->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace x11
