// tapivox_testhook: the program exactly as tapivox runs it, plus a hook for
// the journey test. It is built for the tests only, never installed.
//
// With TAPIVOX_TESTHOOK_DIR set, once the event loop runs the program writes
// <dir>/state.txt ("seq=0" then the state dump) and then, on each SIGUSR1,
// reads <dir>/request (line 1: a sequence number; line 2: a PNG path or
// nothing), saves a screenshot of the whole screen to that path, and writes
// state.txt again, starting with "seq=<number>". TAPIVOX_TESTHOOK_SEED, when
// set, seeds the key drill and the game instead of the clock, so that a run
// can be repeated.
#include "journey_state.h"

#include "app/entry.h"
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/tjeu.h"
#include "keyboard/tclavier.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

extern "C" void onSigusr1(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}

QString hookDir()
{
    return QString::fromLocal8Bit(qgetenv("TAPIVOX_TESTHOOK_DIR"));
}

void writeState(const QString &seq)
{
    QSaveFile file(hookDir() + QStringLiteral("/state.txt"));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("seq=%1\n").arg(seq).toUtf8());
    file.write(journey::dumpState().toUtf8());
    file.commit();
}

void answerRequest()
{
    char buffer[64];
    while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
    QFile request(hookDir() + QStringLiteral("/request"));
    if (!request.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(request.readAll()).split(QLatin1Char('\n'));
    const QString seq = lines.value(0).trimmed();
    const QString png = lines.value(1).trimmed();
    if (!png.isEmpty())
        if (QScreen *screen = QGuiApplication::primaryScreen())
            screen->grabWindow(0).save(png, "PNG", 80);
    writeState(seq);
}

void startHook()
{
    if (!forms().MainForm || !forms().MainForm->isVisible()) {
        QTimer::singleShot(10, qApp, &startHook);
        return;
    }
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &answerRequest);
    struct sigaction action = {};
    action.sa_handler = &onSigusr1;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGUSR1, &action, nullptr);

    bool seeded = false;
    const quint32 seed = qEnvironmentVariable("TAPIVOX_TESTHOOK_SEED").toUInt(&seeded);
    if (seeded) {
        if (forms().Clavier)
            forms().Clavier->drill().reseed(seed);
        if (forms().Jeu)
            forms().Jeu->logic().setSeedSource([seed] { return seed; });
    }
    writeState(QStringLiteral("0"));
}

// Runs when the application object exists; the hook itself starts with the
// event loop, once every window has been created and the frame shown.
void atApplicationStart()
{
    if (!hookDir().isEmpty())
        QTimer::singleShot(0, qApp, &startHook);
}

} // namespace

int main(int argc, char **argv)
{
    qAddPreRoutine(&atApplicationStart);
    return runTapivox(argc, argv);
}
