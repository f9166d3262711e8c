// Measures how long programs take from being started to their window being
// mapped, and their peak resident memory once it is, in the X server named
// by DISPLAY. The programs run one at a time, alternating, and the medians
// are printed with the ratios of each program to the first.
//
// Usage: startup RUNS PROGRAM...
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    double peakMegabytes;
};

xcb_atom_t atom(xcb_connection_t* x, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

pid_t windowPid(xcb_connection_t* x, xcb_window_t window, xcb_atom_t netWmPid)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    pid_t pid = 0;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = pid_t(*static_cast<std::uint32_t*>(xcb_get_property_value(reply)));
    std::free(reply);
    return pid;
}

double peakMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    }
    return -1;
}

// Starts the program and waits until one of its windows is mapped.
bool measure(xcb_connection_t* x, xcb_atom_t netWmPid, const char* program, Sample& sample)
{
    const auto start = Clock::now();
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(program), nullptr};
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0)
        return false;

    bool mapped = false;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (!mapped && Clock::now() - start < std::chrono::seconds(20)) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (!event) {
            poll(&fd, 1, 100);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect && windowPid(x, map->window, netWmPid) == pid) {
                sample.milliseconds =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                sample.peakMegabytes = peakMegabytes(pid);
                mapped = true;
            }
        }
        std::free(event);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return mapped;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup RUNS PROGRAM...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::vector<const char*> programs(argv + 2, argv + argc);

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "startup: no X server at DISPLAY\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
    const xcb_atom_t netWmPid = atom(x, "_NET_WM_PID");

    std::vector<std::vector<double>> times(programs.size()), memory(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            // Alternate the order, so that neither program always runs first.
            const std::size_t p = run % 2 ? programs.size() - 1 - i : i;
            Sample sample{};
            if (!measure(x, netWmPid, programs[p], sample)) {
                std::fprintf(stderr, "startup: %s showed no window\n", programs[p]);
                return 1;
            }
            times[p].push_back(sample.milliseconds);
            memory[p].push_back(sample.peakMegabytes);
        }
    }

    std::printf("%-40s %12s %14s\n", "program (median of runs)", "to map, ms", "VmHWM, MiB");
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("%-40s %12.1f %14.1f\n", programs[p], median(times[p]), median(memory[p]));
    for (std::size_t p = 1; p < programs.size(); ++p)
        std::printf("ratio %s / %s: time %.2f, memory %.2f\n", programs[p], programs[0],
                    median(times[p]) / median(times[0]), median(memory[p]) / median(memory[0]));
    xcb_disconnect(x);
    return 0;
}
