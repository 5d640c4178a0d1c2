// Drives the program's test build (tapivox_testhook) as a separate process:
// starts it with its frame stretched over the screen as a window manager
// would maximise it, reads the state it dumps on SIGUSR1, and sends X key
// and mouse events with xdotool. Shared by the X11 tests that run the whole
// program.
#pragma once
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

class HookClient final
{
public:
    explicit HookClient(const QString &hookDir = QString());
    void setHookDir(const QString &dir) { m_hook = dir; }
    ~HookClient();

    // Starts program in cwd with env (its test-hook folder added), waits for
    // its first state and maximises its frame.
    bool start(const QString &program, const QString &cwd, QProcessEnvironment env);
    void stop();
    QProcess &process() { return m_program; }

    // Asks for the state (and a screenshot into png when it is named).
    bool requestState(const QString &png = QString());
    // Polls the state until ready() holds.
    bool waitFor(const std::function<bool()> &ready, int timeoutMs = 10000);
    QString value(const QString &key) const { return m_state.value(key); }
    int number(const QString &key) const { return m_state.value(key).toInt(); }
    bool contains(const QString &key) const { return m_state.contains(key); }
    const QMap<QString, QString> &state() const { return m_state; }

    static bool xdotool(const QStringList &args);
    static bool keys(const QStringList &names);
    static bool type(const QString &ascii);
    // Clicks the middle of a rectangle of the state, relative to a top-level
    // window.
    bool click(const QString &window, const QString &rectKey);

private:
    QString m_hook;
    QProcess m_program;
    int m_seq = 0;
    QMap<QString, QString> m_state;
};
