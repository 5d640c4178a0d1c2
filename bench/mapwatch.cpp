// Starts a program and reports, in one line, how long it took until its first
// top-level window whose title matches was mapped, and its peak resident
// memory one second later. X11 only (run it under Xvfb, without a window
// manager, so that top-level windows are children of the root window).
//
//   mapwatch [--title REGEX] [--settle MS] [--idle MS] [--timeout S]
//            [--then COMMAND] -- program args...
//
// --idle MS      also report the CPU time the program used in MS ms of quiet.
// --timeout S    give up waiting for the window after S seconds (default 30).
// --then COMMAND run COMMAND with sh after settling, before the idle
//                measure, with MAPWATCH_PID set to the program's process id
//                (to drive it with xdotool); its output goes to stdout.
// The program runs in its own process group, which is ended at the close.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string windowName(Display *display, Window window)
{
    char *name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        std::string result(name);
        XFree(name);
        return result;
    }
    return {};
}

long peakRssKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

double cpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = content.rfind(')');
    if (close == std::string::npos)
        return -1;
    // Fields after the command: state is field 3; utime 14, stime 15.
    std::size_t pos = close + 2;
    for (int field = 3; field < 14; ++field)
        pos = content.find(' ', pos) + 1;
    const long utime = std::strtol(content.c_str() + pos, nullptr, 10);
    pos = content.find(' ', pos) + 1;
    const long stime = std::strtol(content.c_str() + pos, nullptr, 10);
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

} // namespace

int main(int argc, char **argv)
{
    std::regex title(".*");
    int settleMs = 1000;
    int idleMs = 0;
    int timeoutS = 30;
    const char *then = nullptr;
    int arg = 1;
    for (; arg < argc; ++arg) {
        if (!std::strcmp(argv[arg], "--title") && arg + 1 < argc)
            title = std::regex(argv[++arg]);
        else if (!std::strcmp(argv[arg], "--settle") && arg + 1 < argc)
            settleMs = std::atoi(argv[++arg]);
        else if (!std::strcmp(argv[arg], "--idle") && arg + 1 < argc)
            idleMs = std::atoi(argv[++arg]);
        else if (!std::strcmp(argv[arg], "--timeout") && arg + 1 < argc)
            timeoutS = std::atoi(argv[++arg]);
        else if (!std::strcmp(argv[arg], "--then") && arg + 1 < argc)
            then = argv[++arg];
        else if (!std::strcmp(argv[arg], "--")) {
            ++arg;
            break;
        }
    }
    if (arg >= argc) {
        std::fprintf(
            stderr,
            "usage: mapwatch [--title REGEX] [--settle MS] [--idle MS] [--timeout S] [--then COMMAND] -- "
            "program args...\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwatch: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        execvp(argv[arg], argv + arg);
        _exit(127);
    }
    setpgid(pid, pid); // also here, so that the group exists before any kill
    double mappedMs = -1;
    const auto deadline = start + std::chrono::seconds(timeoutS);
    while (mappedMs < 0 && std::chrono::steady_clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect &&
                std::regex_match(windowName(display, event.xmap.window), title)) {
                mappedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                               .count();
                break;
            }
        }
        if (mappedMs < 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "mapwatch: the program ended before mapping a window\n");
            return 1;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rss = peakRssKb(pid);
    if (then && mappedMs >= 0) {
        std::fflush(stdout);
        setenv("MAPWATCH_PID", std::to_string(pid).c_str(), 1);
        if (std::system(then) != 0)
            std::fprintf(stderr, "mapwatch: the --then command failed\n");
    }
    double idleCpu = -1;
    if (idleMs > 0) {
        const double before = cpuSeconds(pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
        idleCpu = cpuSeconds(pid) - before;
    }
    std::printf("mapped_ms=%.1f peak_rss_kb=%ld idle_cpu_ms=%.0f pid=%d\n", mappedMs, rss,
                idleCpu < 0 ? -1.0 : idleCpu * 1000.0, int(pid));
    std::fflush(stdout);
    kill(-pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return mappedMs < 0 ? 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return mappedMs < 0 ? 1 : 0;
}
