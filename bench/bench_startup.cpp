// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up time: from launching a program to its first window being mapped
// on the X server, for Quorvel (its main input screen), for a minimal Qt
// Widgets program that shows one empty window, and for a window sized to one
// label's text, all built in the same tree. Launches alternate
// between the programs so drift in the machine's load falls on all alike;
// each program's median is reported with Quorvel's ratio to the others.
//
//   bench_startup [LAUNCHES]      (needs DISPLAY; bench/run_startup.sh starts Xvfb)
//
// Exit status 0 when Quorvel's median is within the target ratio of the one
// label window's (which, like Quorvel, sets up the fonts before it shows),
// 1 when not, 2 when the measurement couldn't be made.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int defaultLaunches = 21;
constexpr int warmUpLaunches = 2;     // fill the disk and font caches first
constexpr int mapTimeoutMs = 20000;
constexpr int exitTimeoutMs = 5000;
constexpr double targetRatio = 1.3;

struct Program {
    const char *label;
    const char *path;
    std::vector<double> millis;
};

class XServer {
public:
    bool connect()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            return false;
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        netWmPid = atom("_NET_WM_PID");
        wmProtocols = atom("WM_PROTOCOLS");
        wmDeleteWindow = atom("WM_DELETE_WINDOW");
        xcb_flush(connection);
        return true;
    }

    ~XServer()
    {
        if (connection)
            xcb_disconnect(connection);
    }

    // The first top-level window of `pid` that gets mapped, or nothing.
    std::optional<xcb_window_t> waitForWindowOf(pid_t pid)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(mapTimeoutMs);
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
                std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
                if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                    continue;
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (!map->override_redirect && windowPid(map->window) == uint32_t(pid))
                    return map->window;
            }
            if (xcb_connection_has_error(connection))
                return std::nullopt;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&fd, 1, int(left.count()));
        }
    }

    // Asks the window to close as the window manager's close button would.
    void askToClose(xcb_window_t window)
    {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = wmProtocols;
        message.data.data32[0] = wmDeleteWindow;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection, false, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
        xcb_flush(connection);
    }

private:
    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }

    uint32_t windowPid(xcb_window_t window)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        uint32_t pid = 0;
        if (reply && xcb_get_property_value_length(reply) == 4)
            std::memcpy(&pid, xcb_get_property_value(reply), 4);
        std::free(reply);
        return pid;
    }

    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t netWmPid = XCB_ATOM_NONE;
    xcb_atom_t wmProtocols = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow = XCB_ATOM_NONE;
};

// Ends the program the way a user would, by closing its window; one that
// doesn't end in time is killed.
void endProgram(XServer &x, pid_t pid, std::optional<xcb_window_t> window)
{
    if (window)
        x.askToClose(*window);
    const auto deadline = Clock::now() + std::chrono::milliseconds(exitTimeoutMs);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (!window || Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        usleep(2000);
    }
}

// Milliseconds from launch to the first window, or nothing on failure.
std::optional<double> launchOnce(XServer &x, const char *path)
{
    char *const arguments[] = {const_cast<char *>(path), nullptr};
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    if (posix_spawn(&pid, path, nullptr, nullptr, arguments, environ) != 0)
        return std::nullopt;
    const std::optional<xcb_window_t> window = x.waitForWindowOf(pid);
    const Clock::time_point shown = Clock::now();
    endProgram(x, pid, window);
    if (!window)
        return std::nullopt;
    return std::chrono::duration<double, std::milli>(shown - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char *argv[])
{
    const int launches = argc > 1 ? std::max(1, std::atoi(argv[1])) : defaultLaunches;
    XServer x;
    if (!x.connect()) {
        std::fprintf(stderr, "bench_startup: no X server (run it through bench/run_startup.sh)\n");
        return 2;
    }

    Program quorvel{"Quorvel", QUORVEL_EXECUTABLE, {}};
    Program minimal{"minimal window", MINIMAL_WINDOW_EXECUTABLE, {}};
    Program label{"one label", LABEL_WINDOW_EXECUTABLE, {}};
    Program *const programs[] = {&quorvel, &minimal, &label};

    for (int i = 0; i < warmUpLaunches; ++i) {
        for (Program *program : programs) {
            if (!launchOnce(x, program->path)) {
                std::fprintf(stderr, "bench_startup: %s showed no window\n", program->label);
                return 2;
            }
        }
    }
    for (int i = 0; i < launches; ++i) {
        for (Program *program : programs) {
            const std::optional<double> ms = launchOnce(x, program->path);
            if (!ms) {
                std::fprintf(stderr, "bench_startup: %s showed no window\n", program->label);
                return 2;
            }
            program->millis.push_back(*ms);
        }
    }

    std::printf("Launch to first window mapped, %d launches each after %d warm-up launches (ms):\n", launches,
                warmUpLaunches);
    for (const Program *program : programs) {
        const auto [low, high] = std::minmax_element(program->millis.begin(), program->millis.end());
        std::printf("  %-15s median %7.1f   min %7.1f   max %7.1f\n", program->label, median(program->millis), *low,
                    *high);
    }
    const double ratio = median(quorvel.millis) / median(label.millis);
    const bool met = ratio <= targetRatio;
    std::printf("  Quorvel / one label       %5.2f   (target at most %.2f: %s)\n", ratio, targetRatio,
                met ? "met" : "MISSED");
    std::printf("  Quorvel / minimal window  %5.2f\n", median(quorvel.millis) / median(minimal.millis));
    std::printf("  one label / minimal window %4.2f\n", median(label.millis) / median(minimal.millis));
    return met ? 0 : 1;
}
