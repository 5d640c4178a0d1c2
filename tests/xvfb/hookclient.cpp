// The X11 tests' driver of the program's test build.
#include "hookclient.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <csignal>

namespace {

QString unescape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value.at(++i);
            out += n == QLatin1Char('n') ? QChar(u'\n') : n == QLatin1Char('r') ? QChar(u'\r') : n;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

HookClient::HookClient(const QString &hookDir)
    : m_hook(hookDir)
{}

HookClient::~HookClient()
{
    stop();
}

bool HookClient::start(const QString &program, const QString &cwd, QProcessEnvironment env)
{
    stop();
    env.insert(QStringLiteral("TAPIVOX_TESTHOOK_DIR"), m_hook);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QFile::remove(m_hook + QStringLiteral("/state.txt"));
    m_program.setProcessEnvironment(env);
    m_program.setWorkingDirectory(cwd);
    m_program.setProcessChannelMode(QProcess::ForwardedChannels);
    m_program.start(program, {});
    if (!m_program.waitForStarted(10000))
        return false;
    m_seq = 0;
    QElapsedTimer timer;
    timer.start();
    bool ready = false;
    while (!ready && timer.elapsed() < 30000) {
        QFile file(m_hook + QStringLiteral("/state.txt"));
        ready = file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == "seq=0";
        if (!ready)
            QTest::qWait(20);
    }
    if (!ready || !requestState())
        return false;
    QProcess display;
    display.start(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")});
    if (!display.waitForFinished(10000))
        return false;
    const QStringList size = QString::fromLatin1(display.readAllStandardOutput()).simplified().split(u' ');
    if (size.size() != 2)
        return false;
    const QString frame = value(QStringLiteral("window.TMainForm"));
    if (!xdotool({QStringLiteral("windowmove"), frame, QStringLiteral("0"), QStringLiteral("0")}) ||
        !xdotool({QStringLiteral("windowsize"), frame, size[0], size[1]}))
        return false;
    const QString maximised = QStringLiteral("0,0,%1,%2").arg(size[0], size[1]);
    return waitFor([&] { return value(QStringLiteral("window.TMainForm.geometry")) == maximised; });
}

void HookClient::stop()
{
    if (m_program.state() == QProcess::NotRunning)
        return;
    m_program.terminate();
    if (!m_program.waitForFinished(5000)) {
        m_program.kill();
        m_program.waitForFinished(5000);
    }
}

bool HookClient::requestState(const QString &png)
{
    if (m_program.state() != QProcess::Running)
        return false;
    ++m_seq;
    {
        QFile request(m_hook + QStringLiteral("/request"));
        if (!request.open(QIODevice::WriteOnly))
            return false;
        request.write(QStringLiteral("%1\n%2\n").arg(m_seq).arg(png).toUtf8());
    }
    ::kill(static_cast<pid_t>(m_program.processId()), SIGUSR1);
    const QByteArray expected = "seq=" + QByteArray::number(m_seq);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        QFile file(m_hook + QStringLiteral("/state.txt"));
        if (file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == expected) {
            m_state.clear();
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
                if (const qsizetype eq = line.indexOf(QLatin1Char('=')); eq > 0)
                    m_state.insert(line.left(eq), unescape(line.mid(eq + 1)));
            return true;
        }
        QTest::qWait(5);
    }
    return false;
}

bool HookClient::waitFor(const std::function<bool()> &ready, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        if (!requestState())
            return false;
        if (ready())
            return true;
        QTest::qWait(30);
    } while (timer.elapsed() < timeoutMs);
    return false;
}

bool HookClient::xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool HookClient::keys(const QStringList &names)
{
    return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("25")} +
                   names);
}

bool HookClient::type(const QString &ascii)
{
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("25"), ascii});
}

bool HookClient::click(const QString &window, const QString &rectKey)
{
    const QString id = value(QStringLiteral("window.") + window);
    const QStringList r = value(rectKey).split(QLatin1Char(','));
    if (id.isEmpty() || r.size() != 4) {
        qWarning() << "nothing to click:" << window << rectKey;
        return false;
    }
    const int x = r[0].toInt() + r[2].toInt() / 2;
    const int y = r[1].toInt() + r[3].toInt() / 2;
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), id, QString::number(x),
                    QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
}
