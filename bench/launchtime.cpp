// Measures how long a program takes from exec to its first window on screen: it watches the
// X server for the first top-level window mapped after the start.
//     launchtime <program> [arguments...]   (DISPLAY must name a server with no other clients)
// Prints the milliseconds and the program's pid, and leaves the program running.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: launchtime <program> [arguments...]\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::_Exit(127);
    }
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            std::printf("%.1f %d\n", std::chrono::duration<double, std::milli>(elapsed).count(),
                        int(child));
            xcb_disconnect(connection);
            return 0;
        }
    }
    return 1;
}
