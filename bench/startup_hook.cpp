// The real program with an exit hook for profiling its start-up (valgrind
// --tool=callgrind, strace, ltrace): it quits once the keyboard window has
// been painted for the first time, after the events already queued.
#include "app/entry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace {

class QuitAfterFirstPaint final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("TClavier") && !m_done) {
            m_done = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool m_done = false;
};

void installHook()
{
    qApp->installEventFilter(new QuitAfterFirstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installHook)

int main(int argc, char **argv)
{
    return runTapivox(argc, argv);
}
