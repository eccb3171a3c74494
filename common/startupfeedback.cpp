#include "startupfeedback.h"

#include "x11.h"

#include <algorithm>
#include <cstring>

namespace {

// The startup notification's message form: a value with blanks, quotes or backslashes is
// quoted, its quotes and backslashes escaped.
QByteArray removeMessage(const QByteArray& startupId)
{
    // The backslashes first, so that those escaping the quotes stay single.
    const QByteArray value = QByteArray(startupId).replace('\\', "\\\\").replace('"', "\\\"");
    return QByteArrayLiteral("remove: ID=\"") + value + QByteArrayLiteral("\"");
}

} // namespace

void endStartupFeedback(const QByteArray& startupId)
{
    xcb_connection_t* connection = x11::connection();
    if (startupId.isEmpty() || !connection)
        return;
    xcb_screen_t* screen = x11::defaultScreen(connection);
    // The message goes to the root window from a window of the sender's own, in pieces of 20
    // bytes, the first typed as its beginning; the terminating NUL is part of it.
    const xcb_window_t sender = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, sender, screen->root, -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
    const QByteArray message = removeMessage(startupId) + '\0';
    const xcb_atom_t begin = x11::atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = x11::atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = sender;
        event.type = at == 0 ? begin : more;
        std::memcpy(event.data.data8, message.constData() + at,
                    size_t(std::min<qsizetype>(20, message.size() - at)));
        xcb_send_event(connection, 0, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_destroy_window(connection, sender);
    xcb_flush(connection);
}
