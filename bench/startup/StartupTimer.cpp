// Times a program's start the way its user sees it: from the fork to the moment
// the X server maps the program's top-level window of the given title, then reads
// the program's resident memory once it has settled, and ends it.
//
//   startup-timer TITLE SETTLE_MS PROGRAM [ARGUMENTS...]
//
// prints "<milliseconds> <resident KiB> <processor milliseconds>" on one line; the
// processor time (user and system, the whole run) is less disturbed than the wall
// time when the machine is busy. The window must be a direct
// child of the root window (an X server without a window manager, as the benchmark
// script runs), since a reparenting manager maps its frame instead.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto Timeout = std::chrono::seconds(20);

template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string textProperty(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            x, xcb_get_property(x, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            nullptr),
        &std::free);
    if (!reply || reply->format != 8) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            std::size_t(xcb_get_property_value_length(reply.get()))};
}

// The next event, or nullptr when none came before the deadline.
Reply<xcb_generic_event_t> nextEvent(xcb_connection_t* x, Clock::time_point deadline) {
    for (;;) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            return {event, &std::free};
        }
        if (xcb_connection_has_error(x)) {
            return {nullptr, &std::free};
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return {nullptr, &std::free};
        }
        pollfd descriptor{xcb_get_file_descriptor(x), POLLIN, 0};
        ::poll(&descriptor, 1, int(left.count()));
    }
}

std::optional<long> residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return std::nullopt;
}

// A server just started may still refuse for a moment.
xcb_connection_t* connectToDisplay(int& screenNumber) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
        if (!xcb_connection_has_error(x)) {
            return x;
        }
        xcb_disconnect(x);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

// Ends the program and returns the processor time it used, in milliseconds.
double end(pid_t child) {
    ::kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const auto ms = [](const timeval& t) {
        return t.tv_sec * 1e3 + t.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE SETTLE_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const int settleMs = std::atoi(argv[2]);

    int screenNumber = 0;
    xcb_connection_t* x = connectToDisplay(screenNumber);
    if (!x) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    ::fcntl(xcb_get_file_descriptor(x), F_SETFD, FD_CLOEXEC);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t netWmName = atom(x, "_NET_WM_NAME");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server listens before the program can map anything.
    if (xcb_generic_error_t* error = xcb_request_check(
            x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        std::fprintf(stderr, "cannot watch the root window\n");
        return 2;
    }

    const Clock::time_point started = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        ::execvp(argv[3], argv + 3);
        std::perror(argv[3]);
        ::_exit(127);
    }

    const Clock::time_point deadline = started + Timeout;
    for (;;) {
        const Reply<xcb_generic_event_t> event = nextEvent(x, deadline);
        if (!event) {
            std::fprintf(stderr, "no window \"%s\" within %lld s\n", title.c_str(),
                         static_cast<long long>(Timeout.count()));
            end(child);
            return 1;
        }
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) {
            continue;
        }
        const Clock::time_point mapped = Clock::now();
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        if (textProperty(x, map->window, netWmName) != title &&
            textProperty(x, map->window, XCB_ATOM_WM_NAME) != title) {
            continue;
        }

        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        const std::optional<long> resident = residentKiB(child);
        const double processorMs = end(child);
        if (!resident) {
            std::fprintf(stderr, "the program ended before its memory was read\n");
            return 1;
        }
        const double ms = std::chrono::duration<double, std::milli>(mapped - started).count();
        std::printf("%.2f %ld %.2f\n", ms, *resident, processorMs);
        xcb_disconnect(x);
        return 0;
    }
}
