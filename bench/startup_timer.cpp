// mezura-startup-timer: how fast programs start on an X display. Each round starts every
// program once, in turn (interleaved, so that a busy machine slows all alike), and takes from
// the X server the moment each of its top-level windows is mapped: the time from launch to
// the first window mapped, to the last of the windows it is expected to show, and its
// resident memory 300 ms after that. Prints every round, then the medians and each
// program's ratio to the first program (the floor). With --input, LINE is written to each
// program's standard input as it starts, which stays open until the program is stopped (the
// help viewer reads its requests there).
//   mezura-startup-timer [--input LINE] ROUNDS LABEL:WINDOWS:PROGRAM [LABEL:WINDOWS:PROGRAM ...]
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    std::string label;
    int windows;
    std::string path;
    std::vector<double> first, all, rss; // ms, ms, MB
};

struct Run {
    double first = -1;
    double all = -1;
    double rss = -1;
};

double median(std::vector<double> values)
{
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double residentMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return -1;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Run runOnce(xcb_connection_t* x, const Program& program, const std::string& input)
{
    Run run;
    while (xcb_generic_event_t* stale = xcb_poll_for_event(x)) {
        std::free(stale);
    }
    int pipeEnds[2] = {-1, -1};
    if (!input.empty() && pipe(pipeEnds) != 0) {
        std::perror("pipe");
        return run;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!input.empty()) {
            dup2(pipeEnds[0], STDIN_FILENO);
            close(pipeEnds[0]);
            close(pipeEnds[1]);
        }
        execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (!input.empty()) {
        close(pipeEnds[0]);
        const std::string line = input + "\n";
        if (write(pipeEnds[1], line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            std::perror("write");
        }
    }
    int mapped = 0;
    pollfd watch{xcb_get_file_descriptor(x), POLLIN, 0};
    while (mapped < program.windows && msSince(start) < 20000) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (event == nullptr) {
            poll(&watch, 1, 100);
            continue;
        }
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect) { // menus and tooltips are no windows of their own
                const double at = msSince(start);
                if (mapped++ == 0) {
                    run.first = at;
                }
                run.all = at;
            }
        }
        std::free(event);
    }
    if (mapped == program.windows) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        run.rss = residentMegabytes(pid);
    } else {
        run.first = run.all = -1;
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!input.empty()) {
        close(pipeEnds[1]);
    }
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    std::string input;
    int arg = 1; // the first argument after the options
    if (argc > 2 && std::string(argv[1]) == "--input") {
        input = argv[2];
        arg = 3;
    }
    if (argc < arg + 2) {
        std::fprintf(stderr, "usage: %s [--input LINE] ROUNDS LABEL:WINDOWS:PROGRAM...\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[arg]);
    std::vector<Program> programs;
    for (int i = arg + 1; i < argc; ++i) {
        const std::string program = argv[i];
        const std::size_t a = program.find(':');
        const std::size_t b = program.find(':', a + 1);
        if (a == std::string::npos || b == std::string::npos) {
            std::fprintf(stderr, "not LABEL:WINDOWS:PROGRAM: %s\n", argv[i]);
            return 2;
        }
        programs.push_back(
            {program.substr(0, a), std::stoi(program.substr(a + 1, b - a - 1)), program.substr(b + 1), {}, {}, {}});
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    for (int round = 1; round <= rounds; ++round) {
        for (Program& program : programs) {
            const Run run = runOnce(x, program, input);
            std::printf("round %d  %-12s first %7.1f ms  all %2d %7.1f ms  rss %5.1f MB\n", round,
                        program.label.c_str(), run.first, program.windows, run.all, run.rss);
            std::fflush(stdout);
            if (run.first >= 0) {
                program.first.push_back(run.first);
                program.all.push_back(run.all);
                program.rss.push_back(run.rss);
            }
        }
    }
    const Program& floor = programs.front();
    const double floorFirst = median(floor.first);
    const double floorAll = median(floor.all);
    std::printf("\nmedians of %d rounds     first window        all windows         resident\n", rounds);
    for (const Program& program : programs) {
        const double first = median(program.first);
        const double all = median(program.all);
        std::printf("%-12s (%2d windows)  %7.1f ms %5.2fx   %7.1f ms %5.2fx   %5.1f MB  (%zu of %d rounds)\n",
                    program.label.c_str(), program.windows, first, first / floorFirst, all, all / floorAll,
                    median(program.rss), program.first.size(), rounds);
    }
    xcb_disconnect(x);
    return 0;
}
