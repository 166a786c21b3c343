// Times a program's start on an X server: starts COMMAND and reports the milliseconds
// until a top-level window titled TITLE is mapped, seen as the server's own map
// notification (no polling). The program is then stopped.
//   bench_map_timer TITLE COMMAND [ARGUMENT...]
// Prints the milliseconds on standard output; exits 1 when the program ends or 20 s pass
// before its window is mapped.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern char** environ;

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, name, type, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_map_timer TITLE COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "bench_map_timer: no X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    xcb_flush(connection);

    const double start = nowMs();
    pid_t child = 0;
    if (posix_spawn(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::fprintf(stderr, "bench_map_timer: cannot start %s\n", argv[2]);
        return 2;
    }
    const auto stop = [child] {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    };
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (nowMs() - start < 20000.0) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "bench_map_timer: %s ended before its window was mapped\n", argv[2]);
            return 1;
        }
        poll(&descriptor, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const double seen = nowMs();
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (property(connection, window, netWmName, utf8) == title
                || property(connection, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title) {
                std::printf("%.1f\n", seen - start);
                stop();
                return 0;
            }
        }
    }
    std::fprintf(stderr, "bench_map_timer: no window titled \"%s\" within 20 s\n", title.c_str());
    stop();
    return 1;
}
