// Signals reach the event loop through a pipe (the only safe thing a
// handler can do is write to it), read by a socket notifier.
#include "app/sessionend.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};

extern "C" void onSessionSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}
} // namespace

void watchSessionEnd(QObject *context, std::function<void()> saveNotes)
{
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, context,
                     [saveNotes](QSessionManager &) { saveNotes(); });
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [notifier, saveNotes] {
        char buffer[16];
        while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
        }
        notifier->setEnabled(false);
        saveNotes();
        // Every event loop that runs from now on ends, the main one too even
        // when it has not started yet (a message box at start-up).
        auto *ending = new QTimer(notifier);
        QObject::connect(ending, &QTimer::timeout, [] { QCoreApplication::exit(0); });
        ending->start(0);
    });
    struct sigaction action
    {
    };
    action.sa_handler = onSessionSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}
