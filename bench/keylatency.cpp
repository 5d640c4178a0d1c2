// Key to screen: presses keys in a window through XTest, one at a time at a
// learner's pace, and times each press until the X server reports the
// window's first damage after it (the Damage extension: the program has
// drawn its answer into the window). X11 only, run by bench/drive.sh.
//
//   keylatency --window ID --keys FILE [--interval MS] [--timeout MS]
//
// FILE holds xdotool key names on one line ("g h space ..."). Each key is
// pressed, released 100 ms later, and the next one pressed --interval ms
// (default 200, five keys a second) after it; damage that comes after the
// release is left out of the next key's time. A key without damage within
// --timeout ms (default 150) counts as missed. Prints one line:
//   latency_keys=N mean_ms= median_ms= p95_ms= p99_ms= max_ms= missed=N
// XTest and Damage are reached through dlopen, as the tests reach XTest: no
// header beyond Xlib's is needed.
#include <X11/Xlib.h>

#include <dlfcn.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

using DamageQuery = Bool (*)(Display *, int *, int *);
using DamageCreate = XID (*)(Display *, Drawable, int);
using DamageSubtract = void (*)(Display *, XID, XID, XID);
using FakeKey = int (*)(Display *, unsigned int, Bool, unsigned long);
constexpr int kDamageReportNonEmpty = 3;
constexpr int kDamageNotify = 0;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Waits for the first damage event until deadline; true if one came.
bool waitDamage(Display *display, int damageEvent, Clock::time_point deadline, Clock::time_point *when)
{
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + kDamageNotify) {
                *when = Clock::now();
                return true;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, int(left));
    }
}

void drain(Display *display)
{
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

double percentile(const std::vector<double> &sorted, double p)
{
    if (sorted.empty())
        return -1;
    const size_t i = std::min(sorted.size() - 1, size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[i];
}

} // namespace

int main(int argc, char **argv)
{
    Window window = 0;
    std::string keysFile;
    int interval = 200, timeout = 150;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--window"))
            window = std::strtoul(argv[i + 1], nullptr, 0);
        else if (!std::strcmp(argv[i], "--keys"))
            keysFile = argv[i + 1];
        else if (!std::strcmp(argv[i], "--interval"))
            interval = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--timeout"))
            timeout = std::atoi(argv[i + 1]);
    }
    std::ifstream in(keysFile);
    std::vector<std::string> keys;
    for (std::string k; in >> k;)
        keys.push_back(k);
    Display *display = XOpenDisplay(nullptr);
    void *damageLib = dlopen("libXdamage.so.1", RTLD_NOW);
    void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
    if (!window || keys.empty() || !display || !damageLib || !xtst) {
        std::fprintf(stderr, "keylatency: needs --window, --keys, a display, libXdamage and libXtst\n");
        return 2;
    }
    const auto query = reinterpret_cast<DamageQuery>(dlsym(damageLib, "XDamageQueryExtension"));
    const auto create = reinterpret_cast<DamageCreate>(dlsym(damageLib, "XDamageCreate"));
    const auto subtract = reinterpret_cast<DamageSubtract>(dlsym(damageLib, "XDamageSubtract"));
    const auto fake = reinterpret_cast<FakeKey>(dlsym(xtst, "XTestFakeKeyEvent"));
    int damageEvent = 0, damageError = 0;
    if (!query || !create || !subtract || !fake || !query(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "keylatency: no Damage extension\n");
        return 2;
    }
    const XID damage = create(display, window, kDamageReportNonEmpty);
    std::vector<double> times;
    int missed = 0;
    for (const std::string &name : keys) {
        const KeySym sym = XStringToKeysym(name.c_str());
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
        if (!code) {
            ++missed;
            continue;
        }
        subtract(display, damage, None, None);
        drain(display);
        const auto pressed = Clock::now();
        fake(display, code, True, CurrentTime);
        XFlush(display);
        Clock::time_point shown;
        if (waitDamage(display, damageEvent, pressed + std::chrono::milliseconds(timeout), &shown))
            times.push_back(ms(shown - pressed));
        else
            ++missed;
        std::this_thread::sleep_until(pressed + std::chrono::milliseconds(100));
        fake(display, code, False, CurrentTime);
        XFlush(display);
        std::this_thread::sleep_until(pressed + std::chrono::milliseconds(interval));
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double t : sorted)
        sum += t;
    std::printf("latency_keys=%zu mean_ms=%.2f median_ms=%.2f p95_ms=%.2f p99_ms=%.2f max_ms=%.2f missed=%d\n",
                keys.size(), sorted.empty() ? -1 : sum / double(sorted.size()), percentile(sorted, 0.5),
                percentile(sorted, 0.95), percentile(sorted, 0.99), sorted.empty() ? -1 : sorted.back(), missed);
    XCloseDisplay(display);
    return 0;
}
