#pragma once

#include <QGuiApplication>
#include <QList>
#include <QWidget>

#include <xcb/xcb.h>

#include <memory>

// What the window manager says about a window of this program, read from the X server.
namespace x11windowstate {

inline xcb_connection_t* connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

inline xcb_atom_t atom(xcb_connection_t* on, const char* name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(on, xcb_intern_atom(on, 0, uint16_t(qstrlen(name)), name), nullptr),
        &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

inline xcb_atom_t atom(const char* name)
{
    return atom(connection(), name);
}

// A property of 32-bit values (windows, atoms, numbers) of `window`, empty when it has none.
inline QList<quint32> propertyValues(xcb_connection_t* on, xcb_window_t window, xcb_atom_t property,
                                     xcb_atom_t type)
{
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(on, xcb_get_property(on, 0, window, property, type, 0, 4096),
                               nullptr),
        &free);
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    return QList<quint32>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

// Whether the window manager lists `state` ("_NET_WM_STATE_HIDDEN") among the window's states.
inline bool hasState(const QWidget& window, const char* state)
{
    return propertyValues(connection(), xcb_window_t(window.winId()), atom("_NET_WM_STATE"),
                          XCB_ATOM_ATOM)
        .contains(atom(state));
}

// Whether the window manager lists the window as kept above the others.
inline bool keptAbove(const QWidget& window)
{
    return hasState(window, "_NET_WM_STATE_ABOVE");
}

} // namespace x11windowstate
