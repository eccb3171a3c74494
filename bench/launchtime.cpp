// Measures how long a program takes from exec to its first window on screen: it watches the
// X server for the first top-level window mapped after the start, and for the first drawing
// into a mapped top-level window (through the DAMAGE extension), when the user sees more than
// an empty frame.
//     launchtime <program> [arguments...]   (DISPLAY must name a server with no other clients)
// Prints the milliseconds to the first map and to the first drawing, and the program's pid, and
// leaves the program running.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: launchtime <program> [arguments...]\n");
        return 2;
    }
    // A server still busy with the last program's going may turn a connection away for a moment.
    xcb_connection_t* connection = nullptr;
    int error = 0;
    for (int attempt = 0; attempt < 50; ++attempt) {
        connection = xcb_connect(nullptr, nullptr);
        error = xcb_connection_has_error(connection);
        if (!error)
            break;
        xcb_disconnect(connection);
        usleep(20000);
    }
    if (error) {
        std::fprintf(stderr, "no X display (error %d)\n", error);
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    xcb_discard_reply(connection, xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION,
                                                           XCB_DAMAGE_MINOR_VERSION)
                                      .sequence);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::_Exit(127);
    }
    double mappedMs = -1;
    std::set<xcb_window_t> mapped;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            // Watched from its creation, so that no drawing after its map is missed.
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(connection);
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            mapped.insert(map->window);
            if (mappedMs < 0)
                mappedMs = millisecondsSince(start);
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (mapped.count(drawn->drawable)) {
                std::printf("%.1f %.1f %d\n", mappedMs, millisecondsSince(start), int(child));
                std::free(event);
                xcb_disconnect(connection);
                return 0;
            }
        }
        std::free(event);
    }
    return 1;
}
