// The real program with an exit hook for profiling its start-up (valgrind
// --tool=callgrind, strace, ltrace): it quits once the keyboard window has
// been painted for the first time, after the events already queued. With
// --key it also presses a key as soon as the frame is mapped (xdotool, as
// bench/startup.sh does) and quits once the frame has repainted after it.
// Under callgrind each phase is dumped on its own, so that callgrind_annotate
// reads each phase's cost: "mapped" (the frame's window exposed), then
// "painted" (the keyboard window's first paint and the events queued behind
// it) and "key" (the key answered), in the order they come.
// With --idle SCENE it rather measures what runs at rest: after the first
// paint it sets the scene (keyboard: the keyboard window as started;
// exercise: exercise 1 opened from its menu item; typed: exercise 1 with a
// few of its keys typed through XTest, as a learner who stops), lets the
// deferred work settle, then counts for 10 s the CPU time of the whole
// process and every timer and paint event by receiver, prints them and quits.
// With --history it times what a long journal could slow down, and prints
// it: the keyboard window's first paint after main (painted_ms); from there
// to the question of who learns (asked_ms, with several learners: it is
// then answered with the learner it proposes), and to the start offer's
// first paint (offer_ms, from the answer when there was a question); from Progression's menu item
// to its window's first paint (progression_ms, the window then closed);
// from the personal review's menu item to its first line painted
// (review_ms); the peak resident memory (peak_rss_kb).
#include "app/entry.h"

// Valgrind's header, where installed; without it the phases are not dumped.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_DUMP_STATS_AT(name) ((void)(name))
#endif

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QApplication>
#include <QEvent>
#include <QMap>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

bool g_pressKey = false;
const char *g_idleScene = nullptr;
bool g_history = false;
QElapsedTimer g_sinceMain;

// The idle measure's settling time and length.
constexpr int kSettleMs = 3000;
constexpr int kIdleMs = 10000;

double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// What /proc charges the process, in whole clock ticks, as the peers' bench
// reads it from outside.
long chargedTicks()
{
    std::FILE *f = std::fopen("/proc/self/stat", "r");
    if (!f)
        return -1;
    char buffer[1024];
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = 0;
    const char *p = std::strrchr(buffer, ')');
    if (!p)
        return -1;
    long utime = 0, stime = 0;
    // After the command: state is field 3, utime 14, stime 15.
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %ld %ld", &utime, &stime) != 2)
        return -1;
    return utime + stime;
}

QString describe(const QObject *object)
{
    QString text = QString::fromLatin1(object->metaObject()->className());
    if (!object->objectName().isEmpty())
        text += QLatin1Char('/') + object->objectName();
    // The first named ancestor says whose it is.
    for (const QObject *up = object->parent(); up; up = up->parent())
        if (!up->objectName().isEmpty()) {
            text += QStringLiteral(" in ") + QString::fromLatin1(up->metaObject()->className()) +
                    QLatin1Char('/') + up->objectName();
            break;
        }
    return text;
}

// Types characters through XTest, as the tests do (no header needed).
void typeThroughXTest(const char *characters)
{
    using FakeKey = int (*)(void *, unsigned int, int, unsigned long);
    using StringToKeysym = unsigned long (*)(const char *);
    using KeysymToKeycode = unsigned char (*)(void *, unsigned long);
    using Flush = int (*)(void *);
    void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
    void *x11 = dlopen("libX11.so.6", RTLD_NOW);
    auto *native = qApp->nativeInterface<QNativeInterface::QX11Application>();
    void *display = native ? static_cast<void *>(native->display()) : nullptr;
    if (!xtst || !x11 || !display) {
        std::fprintf(stderr, "startup_hook: no XTest\n");
        return;
    }
    const auto fake = reinterpret_cast<FakeKey>(dlsym(xtst, "XTestFakeKeyEvent"));
    const auto keysym = reinterpret_cast<StringToKeysym>(dlsym(x11, "XStringToKeysym"));
    const auto keycode = reinterpret_cast<KeysymToKeycode>(dlsym(x11, "XKeysymToKeycode"));
    const auto flush = reinterpret_cast<Flush>(dlsym(x11, "XFlush"));
    for (const char *c = characters; *c; ++c) {
        const char name[2] = {*c, 0};
        const unsigned code = keycode(display, keysym(*c == ' ' ? "space" : name));
        fake(display, code, 1, 0);
        fake(display, code, 0, 0);
    }
    flush(display);
}

// Counts the timer and paint events of the idle measure, by receiver.
class IdleCounter final : public QObject
{
public:
    void start()
    {
        m_cpuMs = processCpuMs();
        m_ticks = chargedTicks();
        qApp->installEventFilter(this);
        QTimer::singleShot(kIdleMs, qApp, [this] { finish(); });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Timer || type == QEvent::Paint || type == QEvent::UpdateRequest)
            ++m_counts[(type == QEvent::Timer ? QStringLiteral("timer ") : type == QEvent::Paint
                                                                             ? QStringLiteral("paint ")
                                                                             : QStringLiteral("flush ")) +
                       describe(watched)];
        return false;
    }

private:
    void finish()
    {
        qApp->removeEventFilter(this);
        const double cpu = processCpuMs() - m_cpuMs;
        const long ticks = chargedTicks() - m_ticks;
        int timers = 0, paints = 0;
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it) {
            if (it.key().startsWith(QLatin1String("timer ")))
                timers += it.value();
            else if (it.key().startsWith(QLatin1String("paint ")))
                paints += it.value();
        }
        std::printf("scene=%s idle_cpu_ms=%.2f idle_ticks_ms=%ld timer_events=%d paint_events=%d\n",
                    g_idleScene, cpu, ticks * 1000 / sysconf(_SC_CLK_TCK), timers, paints);
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it)
            std::printf("  %5d %s\n", it.value(), qPrintable(it.key()));
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    double m_cpuMs = 0;
    long m_ticks = 0;
    QMap<QString, int> m_counts;
};

long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

QAction *frameAction(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("TMainForm"))
            return w->findChild<QAction *>(QLatin1String(name));
    return nullptr;
}

// The long history's measures, one after the other from the first paint.
class HistoryProbe final : public QObject
{
public:
    void start()
    {
        m_painted = g_sinceMain.elapsed();
        qApp->installEventFilter(this);
        // A journal that offers nothing would leave the offer unmeasured.
        QTimer::singleShot(5000, this, [this] {
            if (m_stage == Stage::Offer)
                openProgression();
        });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const QString name = watched->objectName();
        if (m_stage == Stage::Offer && name == QLatin1String("QuiApprend") && m_asked < 0) {
            m_asked = g_sinceMain.elapsed() - m_painted;
            auto *dialog = static_cast<QDialog *>(watched);
            QTimer::singleShot(0, dialog, [this, dialog] {
                m_answered = g_sinceMain.elapsed();
                dialog->accept();
            });
        } else if (m_stage == Stage::Offer &&
            (name == QLatin1String("GuideReprendre") || name == QLatin1String("GuideCommencer"))) {
            m_offer = g_sinceMain.elapsed() - (m_answered >= 0 ? m_answered : m_painted);
            QTimer::singleShot(300, this, [this] { openProgression(); });
            m_stage = Stage::Waiting;
        } else if (m_stage == Stage::Progression && name == QLatin1String("TProgression")) {
            m_progression = m_clock.elapsed();
            m_stage = Stage::Waiting;
            auto *dialog = static_cast<QDialog *>(watched);
            QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
            QTimer::singleShot(300, this, [this] { openReview(); });
        } else if (m_stage == Stage::Review && name == QLatin1String("TExos")) {
            m_review = m_clock.elapsed();
            m_stage = Stage::Waiting;
            QTimer::singleShot(0, this, [this] { finish(); });
        }
        return false;
    }

private:
    enum class Stage { Offer, Waiting, Progression, Review };

    void openProgression()
    {
        m_stage = Stage::Progression;
        m_clock.start();
        if (QAction *item = frameAction("Progression1"))
            item->trigger(); // a modal window: returns once closed
    }

    void openReview()
    {
        m_stage = Stage::Review;
        m_clock.start();
        if (QAction *item = frameAction("Revision1"))
            item->trigger();
    }

    void finish()
    {
        std::printf("painted_ms=%lld asked_ms=%lld offer_ms=%lld progression_ms=%lld review_ms=%lld "
                    "peak_rss_kb=%ld\n",
                    m_painted, m_asked, m_offer, m_progression, m_review, peakRssKb());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    Stage m_stage = Stage::Offer;
    QElapsedTimer m_clock;
    qint64 m_painted = -1;
    qint64 m_asked = -1;
    qint64 m_answered = -1;
    qint64 m_offer = -1;
    qint64 m_progression = -1;
    qint64 m_review = -1;
};

// After the first paint: the scene, then the measure.
void idleScene()
{
    const QString scene = QString::fromLatin1(g_idleScene);
    if (scene != QLatin1String("keyboard")) {
        QAction *exercise = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("TMainForm")) {
                exercise = w->findChild<QAction *>(QStringLiteral("N1gh1"));
                // No window manager gives it the keys.
                w->activateWindow();
            }
        if (!exercise) {
            std::fprintf(stderr, "startup_hook: no menu item N1gh1\n");
            QCoreApplication::exit(1);
            return;
        }
        // Once the guide is built and its start offer made.
        QTimer::singleShot(1000, qApp, [exercise, scene] {
            exercise->trigger();
            if (scene == QLatin1String("typed"))
                QTimer::singleShot(500, qApp, [] { typeThroughXTest("gh hg gh"); });
        });
    }
    QTimer::singleShot(kSettleMs, qApp, [] { (new IdleCounter)->start(); });
}

bool isFrameWindow(QObject *object)
{
    if (!object->isWindowType())
        return false;
    for (const QWidget *w : QApplication::topLevelWidgets())
        if (w->windowHandle() == object)
            return w->objectName() == QLatin1String("TMainForm");
    return false;
}

class QuitAfterFirstPaint final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_mapped && event->type() == QEvent::Expose && isFrameWindow(watched) &&
            static_cast<QWindow *>(watched)->isExposed()) {
            m_mapped = true;
            CALLGRIND_DUMP_STATS_AT("mapped");
            // As the bench does: a key as soon as the frame is mapped.
            if (g_pressKey)
                QProcess::startDetached(QStringLiteral("xdotool"),
                                        {QStringLiteral("key"), QStringLiteral("a")});
        } else if (!m_painted && event->type() == QEvent::Paint &&
                   watched->objectName() == QLatin1String("TClavier")) {
            m_painted = true;
            QTimer::singleShot(0, qApp, [this] {
                CALLGRIND_DUMP_STATS_AT("painted");
                if (g_history)
                    (new HistoryProbe)->start();
                else if (g_idleScene)
                    idleScene();
                else
                    finishWhenDone();
            });
        } else if (g_pressKey && !m_keyed && event->type() == QEvent::KeyPress) {
            m_keyed = true;
        } else if (m_keyed && !m_answered && event->type() == QEvent::Paint) {
            m_answered = true;
            QTimer::singleShot(0, qApp, [this] {
                CALLGRIND_DUMP_STATS_AT("key");
                finishWhenDone();
            });
        }
        return false;
    }

private:
    void finishWhenDone()
    {
        if (m_painted && (!g_pressKey || m_answered))
            QCoreApplication::quit();
    }

    bool m_mapped = false;
    bool m_painted = false;
    bool m_keyed = false;
    bool m_answered = false;
};

void installHook()
{
    qApp->installEventFilter(new QuitAfterFirstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installHook)

int main(int argc, char **argv)
{
    g_sinceMain.start();
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--key") == 0)
            g_pressKey = true;
        else if (std::strcmp(argv[i], "--history") == 0)
            g_history = true;
        else if (std::strcmp(argv[i], "--idle") == 0 && i + 1 < argc)
            g_idleScene = argv[++i];
        else
            argv[kept++] = argv[i];
    }
    argv[kept] = nullptr;
    return runTapivox(kept, argv);
}
