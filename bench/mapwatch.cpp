// Starts a program and reports, in one line, how long it took until its first
// top-level window whose title matches was mapped, and its peak resident
// memory one second later. X11 only (run it under Xvfb, without a window
// manager, so that top-level windows are children of the root window).
//
//   mapwatch [--title REGEX] [--settle MS] [--idle MS] [--timeout S]
//            [--frame REGEX [--answer KEYSYM --reference FILE]]
//            [--then COMMAND] -- program args...
//
// --idle MS      also report the CPU time the program used in MS ms of quiet.
// --timeout S    give up waiting for the window after S seconds (default 30).
// --then COMMAND run COMMAND with sh after settling, before the idle
//                measure, with MAPWATCH_PID set to the program's process id
//                (to drive it with xdotool); its output goes to stdout.
// --frame REGEX  also report when the top-level window whose title matches
//                (the program's main window, after a splash) was mapped.
// --answer KEYSYM --reference FILE
//                with --frame: when FILE holds a reference, give the frame
//                the keyboard focus as soon as it is mapped, press KEYSYM
//                through XTest at once and report when the frame showed its
//                first paint (painted_ms: the reference pixels show either
//                state) and when it showed its answer (answer_ms: they show
//                the answered state), watching the screen's pixels. Without
//                a reference, settle, press the key, and write into FILE the
//                pixels of the frame's surface in the window's colour
//                RRGGBB (--surface, default 0000ff, give or take 8) that the answer changed.
// Memory also gives xorg_kb: the resident part of the X server's shared
// back buffers (/memfd:xorg in smaps), which the peak includes.
// The program runs in its own process group, which is ended at the close.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
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
#include <vector>

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

long xorgKb(pid_t pid)
{
    std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
    std::string line;
    bool inXorg = false;
    long total = 0;
    while (std::getline(smaps, line)) {
        if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
            line.find('-') < line.find(' '))
            inXorg = line.find("/memfd:xorg") != std::string::npos;
        else if (inXorg && line.rfind("Rss:", 0) == 0)
            total += std::strtol(line.c_str() + 4, nullptr, 10);
    }
    return total;
}

// XTest through dlopen: the headers are not needed, only libXtst.so.6.
bool fakeKey(Display *display, KeySym keysym)
{
    using FakeKey = int (*)(Display *, unsigned int, int, unsigned long);
    static FakeKey fake = [] {
        void *lib = dlopen("libXtst.so.6", RTLD_NOW);
        return lib ? reinterpret_cast<FakeKey>(dlsym(lib, "XTestFakeKeyEvent")) : nullptr;
    }();
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (!fake || !code)
        return false;
    fake(display, code, True, 0);
    fake(display, code, False, 0);
    XFlush(display);
    return true;
}

struct RefPixel
{
    int x, y;
    unsigned long before, after;
};

// The reference pixels' current colours, read in one request over their
// bounding box; false while the window cannot be read.
bool readPixels(Display *display, Window window, const std::vector<RefPixel> &ref,
                std::vector<unsigned long> &out)
{
    int x0 = ref[0].x, y0 = ref[0].y, x1 = x0, y1 = y0;
    for (const RefPixel &p : ref) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    XErrorHandler old = XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    XImage *image = XGetImage(display, window, x0, y0, x1 - x0 + 1, y1 - y0 + 1, AllPlanes, ZPixmap);
    XSync(display, False);
    XSetErrorHandler(old);
    if (!image)
        return false;
    out.clear();
    for (const RefPixel &p : ref)
        out.push_back(XGetPixel(image, p.x - x0, p.y - y0) & 0xffffff);
    XDestroyImage(image);
    return true;
}

// Within 8 of each channel: styles shade the palette's colours a little.
bool near(unsigned long pixel, unsigned long colour)
{
    for (int shift : {0, 8, 16}) {
        const long a = long((pixel >> shift) & 0xff), b = long((colour >> shift) & 0xff);
        if (std::labs(a - b) > 8)
            return false;
    }
    return true;
}

XImage *grab(Display *display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return nullptr;
    return XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
}

} // namespace

int main(int argc, char **argv)
{
    std::regex title(".*");
    int settleMs = 1000;
    int idleMs = 0;
    int timeoutS = 30;
    const char *then = nullptr;
    const char *frameTitle = nullptr;
    const char *answerKey = nullptr;
    const char *reference = nullptr;
    unsigned long surface = 0x0000ff;
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
        else if (!std::strcmp(argv[arg], "--frame") && arg + 1 < argc)
            frameTitle = argv[++arg];
        else if (!std::strcmp(argv[arg], "--answer") && arg + 1 < argc)
            answerKey = argv[++arg];
        else if (!std::strcmp(argv[arg], "--reference") && arg + 1 < argc)
            reference = argv[++arg];
        else if (!std::strcmp(argv[arg], "--surface") && arg + 1 < argc)
            surface = std::strtoul(argv[++arg], nullptr, 16);
        else if (!std::strcmp(argv[arg], "--")) {
            ++arg;
            break;
        }
    }
    if (arg >= argc) {
        std::fprintf(
            stderr,
            "usage: mapwatch [--title REGEX] [--settle MS] [--idle MS] [--timeout S] [--frame REGEX [--answer "
            "KEYSYM --reference FILE [--surface RRGGBB]]] [--then COMMAND] -- program args...\n");
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

    const std::regex frameRegex(frameTitle ? frameTitle : ".*");
    std::vector<RefPixel> ref;
    if (frameTitle && answerKey && reference) {
        std::ifstream in(reference);
        RefPixel p{};
        while (in >> p.x >> p.y >> std::hex >> p.before >> p.after >> std::dec)
            ref.push_back(p);
    }
    const bool measureAnswer = !ref.empty();
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        execvp(argv[arg], argv + arg);
        _exit(127);
    }
    setpgid(pid, pid); // also here, so that the group exists before any kill
    const auto sinceStart = [&start] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    double mappedMs = -1, frameMs = -1, paintedMs = -1, answerMs = -1;
    Window frame = 0;
    const auto deadline = start + std::chrono::seconds(timeoutS);
    const auto waiting = [&] {
        return mappedMs < 0 || (frameTitle && frameMs < 0) || (measureAnswer && answerMs < 0);
    };
    std::vector<unsigned long> now;
    while (waiting() && std::chrono::steady_clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.override_redirect)
                continue;
            const std::string name = windowName(display, event.xmap.window);
            if (mappedMs < 0 && std::regex_match(name, title))
                mappedMs = sinceStart();
            if (frameTitle && frameMs < 0 && std::regex_match(name, frameRegex)) {
                frameMs = sinceStart();
                frame = event.xmap.window;
                if (measureAnswer) {
                    // What a window manager does at the map, then the
                    // learner's first key.
                    XSetInputFocus(display, frame, RevertToParent, CurrentTime);
                    fakeKey(display, XStringToKeysym(answerKey));
                }
            }
        }
        if (measureAnswer && frame && answerMs < 0 && readPixels(display, frame, ref, now)) {
            std::size_t painted = 0, answered = 0;
            for (std::size_t i = 0; i < ref.size(); ++i) {
                painted += now[i] == ref[i].before || now[i] == ref[i].after;
                answered += now[i] == ref[i].after;
            }
            // 95 %: a caret or a highlight may cross the reference.
            if (paintedMs < 0 && painted * 20 >= ref.size() * 19)
                paintedMs = sinceStart();
            if (answered * 20 >= ref.size() * 19)
                answerMs = sinceStart();
        }
        if (waiting())
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "mapwatch: the program ended before mapping its windows\n");
            return 1;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rss = peakRssKb(pid);
    const long xorg = xorgKb(pid);
    if (frame && answerKey && reference && !measureAnswer) {
        // Calibration: the surface's pixels that the answer changes.
        XImage *before = grab(display, frame);
        XSetInputFocus(display, frame, RevertToParent, CurrentTime);
        fakeKey(display, XStringToKeysym(answerKey));
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        XImage *after = grab(display, frame);
        std::ofstream out(reference);
        int count = 0;
        if (before && after && before->width == after->width && before->height == after->height)
            for (int y = 0; y < before->height; ++y)
                for (int x = 0; x < before->width; ++x) {
                    const unsigned long b = XGetPixel(before, x, y) & 0xffffff;
                    const unsigned long a = XGetPixel(after, x, y) & 0xffffff;
                    if (near(b, surface) && a != b && ++count)
                        out << x << ' ' << y << ' ' << std::hex << b << ' ' << a << std::dec << '\n';
                }
        if (!count)
            std::fprintf(stderr, "mapwatch: the key changed nothing on the frame's surface\n");
        if (before)
            XDestroyImage(before);
        if (after)
            XDestroyImage(after);
    }
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
    if (frameTitle)
        std::printf("frame_ms=%.1f ", frameMs);
    if (measureAnswer)
        std::printf("painted_ms=%.1f answer_ms=%.1f ", paintedMs, answerMs);
    std::printf("mapped_ms=%.1f peak_rss_kb=%ld xorg_kb=%ld idle_cpu_ms=%.0f pid=%d\n", mappedMs, rss, xorg,
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
