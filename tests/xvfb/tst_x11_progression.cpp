// The progression across two runs of the real program, driven by X key
// events through the French layout: a drill typed, another lesson chosen, a
// normal quit; the next run shows both sessions and the missed space.
#include <QProcess>
#include <QtTest>

#include <csignal>

class TestX11Progression : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sessionsSurviveARestart();
    void cleanup();

private:
    bool start();
    bool requestState();
    bool waitFor(const std::function<bool()> &ready);
    bool xdotool(const QStringList &args);
    bool keys(const QStringList &names);
    bool clickMenu(const QString &menu);
    QString value(const QString &key) const { return m_state.value(key); }

    QTemporaryDir m_home;
    QProcess m_program;
    QMap<QString, QString> m_state;
    int m_seq = 0;
};

void TestX11Progression::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
    QVERIFY(m_home.isValid());
    QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("hook")));
}

void TestX11Progression::cleanup()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished(5000);
    }
}

bool TestX11Progression::start()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("TAPIVOX_TESTHOOK_DIR"), m_home.filePath(QStringLiteral("hook")));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QFile::remove(m_home.filePath(QStringLiteral("hook/state.txt")));
    m_program.setProcessEnvironment(env);
    m_program.setWorkingDirectory(m_home.path());
    m_program.setProcessChannelMode(QProcess::ForwardedChannels);
    m_program.start(QStringLiteral(JOURNEY_APP), {});
    if (!m_program.waitForStarted(10000))
        return false;
    m_seq = 0;
    QFile state(m_home.filePath(QStringLiteral("hook/state.txt")));
    QElapsedTimer timer;
    timer.start();
    bool ready = false;
    while (!ready && timer.elapsed() < 30000) {
        ready = state.open(QIODevice::ReadOnly) && state.readLine().trimmed() == "seq=0";
        state.close();
        if (!ready)
            QTest::qWait(20);
    }
    // Xvfb runs no window manager: the frame is stretched over the screen
    // as one would maximise it.
    if (!ready || !requestState())
        return false;
    QProcess display;
    display.start(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")});
    if (!display.waitForFinished(10000))
        return false;
    const QStringList size = QString::fromLatin1(display.readAllStandardOutput()).simplified().split(u' ');
    const QString frame = value(QStringLiteral("window.TMainForm"));
    if (size.size() != 2 ||
        !xdotool({QStringLiteral("windowmove"), frame, QStringLiteral("0"), QStringLiteral("0")}) ||
        !xdotool({QStringLiteral("windowsize"), frame, size[0], size[1]}))
        return false;
    const QString maximised = QStringLiteral("0,0,%1,%2").arg(size[0], size[1]);
    if (!waitFor([&] { return value(QStringLiteral("window.TMainForm.geometry")) == maximised; }))
        return false;
    // A click on the status bar makes it the active window, as the first
    // click of a learner would; the menu bar then answers Alt.
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), frame, QStringLiteral("8"),
                    QString::number(size[1].toInt() - 8), QStringLiteral("click"), QStringLiteral("1")}) &&
           waitFor([this] { return value(QStringLiteral("activeWindow")) == QLatin1String("TMainForm"); });
}

// The program writes its state on SIGUSR1 (the test hook of the journey test).
bool TestX11Progression::requestState()
{
    if (m_program.state() != QProcess::Running)
        return false;
    {
        QFile request(m_home.filePath(QStringLiteral("hook/request")));
        if (!request.open(QIODevice::WriteOnly))
            return false;
        request.write(QByteArray::number(++m_seq) + "\n\n");
    }
    ::kill(static_cast<pid_t>(m_program.processId()), SIGUSR1);
    const QByteArray expected = "seq=" + QByteArray::number(m_seq);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        QFile file(m_home.filePath(QStringLiteral("hook/state.txt")));
        if (file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == expected) {
            m_state.clear();
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
                if (const qsizetype eq = line.indexOf(QLatin1Char('=')); eq > 0)
                    m_state.insert(line.left(eq), line.mid(eq + 1));
            return true;
        }
        QTest::qWait(5);
    }
    return false;
}

bool TestX11Progression::waitFor(const std::function<bool()> &ready)
{
    QElapsedTimer timer;
    timer.start();
    do {
        if (!requestState())
            return false;
        if (ready())
            return true;
        QTest::qWait(30);
    } while (timer.elapsed() < 20000);
    return false;
}

bool TestX11Progression::xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool TestX11Progression::clickMenu(const QString &menu)
{
    const QStringList r = value(QStringLiteral("menubar.") + menu).split(QLatin1Char(','));
    if (r.size() != 4)
        return false;
    return xdotool(
        {QStringLiteral("mousemove"), QStringLiteral("--window"), value(QStringLiteral("window.TMainForm")),
         QString::number(r[0].toInt() + r[2].toInt() / 2), QString::number(r[1].toInt() + r[3].toInt() / 2),
         QStringLiteral("click"), QStringLiteral("1")});
}

bool TestX11Progression::keys(const QStringList &names)
{
    return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("25")} +
                   names);
}

void TestX11Progression::sessionsSurviveARestart()
{
    QVERIFY(start());
    // Exercise 2 from the menu, opened with the mouse (the keyboard window
    // takes Alt as a key to describe).
    QVERIFY(clickMenu(QStringLiteral("Exercices1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Exercices1"); }));
    QVERIFY(keys({QStringLiteral("2")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("active")) == QLatin1String("TExos") &&
               value(QStringLiteral("focus")) == QLatin1String("Edit2");
    }));
    // "ap pa": the x is refused where the space is expected.
    QVERIFY(keys({QStringLiteral("a"), QStringLiteral("p"), QStringLiteral("x"), QStringLiteral("space"),
                  QStringLiteral("p")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("TExos.Label2")) == QLatin1String("Bon : 4     Erreurs : 1");
    }));
    // Another lesson in the same window ends the session (Alt released,
    // then x: Alt+X itself quits).
    QVERIFY(keys({QStringLiteral("Alt_L"), QStringLiteral("x")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Exercices1"); }));
    QVERIFY(keys({QStringLiteral("3")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("menu.TExos")) == QLatin1String("3"); }));
    QVERIFY(keys({QStringLiteral("q")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("TExos.Label2")) == QLatin1String("Bon : 1     Erreurs : 0");
    }));
    // A normal quit records the session still open.
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_program.state() == QProcess::NotRunning, 15000);
    QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program.exitCode(), 0);
    QVERIFY(QFileInfo::exists(m_home.filePath(QStringLiteral("data/Tapivox/progression.sqlite"))));

    // The next run: Options, Progression shows the exercises' sessions.
    QVERIFY(start());
    QVERIFY(keys({QStringLiteral("alt+o")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Options1"); }));
    QVERIFY(keys({QStringLiteral("p")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("TProgression"); }));
    QCOMPARE(value(QStringLiteral("modal.title")), QStringLiteral("Progression"));
    const QStringList newest = value(QStringLiteral("table.StringGrid1.0")).split(QLatin1Char('|'));
    const QStringList older = value(QStringLiteral("table.StringGrid1.1")).split(QLatin1Char('|'));
    QVERIFY(!m_state.contains(QStringLiteral("table.StringGrid1.2")));
    QCOMPARE(newest.mid(1, 3),
             (QStringList{QStringLiteral("3 Touches z o"), QStringLiteral("1"), QStringLiteral("0")}));
    QCOMPARE(older.mid(1, 3),
             (QStringList{QStringLiteral("2 Touches a p"), QStringLiteral("5"), QStringLiteral("1")}));
    QCOMPARE(value(QStringLiteral("table.StringGrid2.0")).section(QLatin1Char('|'), 0, 1),
             QStringLiteral("Espace|1"));
    QVERIFY(keys({QStringLiteral("Escape")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_program.state() == QProcess::NotRunning, 15000);
}

QTEST_GUILESS_MAIN(TestX11Progression)
#include "tst_x11_progression.moc"
