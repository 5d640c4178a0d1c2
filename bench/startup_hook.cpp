// The real program with an exit hook for profiling its start-up (valgrind
// --tool=callgrind, strace, ltrace): it quits once the keyboard window has
// been painted for the first time, after the events already queued. With
// --key it also presses a key as soon as the frame is mapped (xdotool, as
// bench/startup.sh does) and quits once the frame has repainted after it.
// Under callgrind each phase is dumped on its own, so that callgrind_annotate
// reads each phase's cost: "mapped" (the frame's window exposed), then
// "painted" (the keyboard window's first paint and the events queued behind
// it) and "key" (the key answered), in the order they come.
#include "app/entry.h"

// Valgrind's header, where installed; without it the phases are not dumped.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_DUMP_STATS_AT(name) ((void)(name))
#endif

#include <QApplication>
#include <QEvent>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstring>

namespace {

bool g_pressKey = false;

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
    if (argc > 1 && std::strcmp(argv[argc - 1], "--key") == 0) {
        g_pressKey = true;
        --argc;
    }
    return runTapivox(argc, argv);
}
