// The progression across two runs of the real program, driven by X key
// events through the French layout: a drill typed, another lesson chosen, a
// normal quit; the next run shows both sessions and the missed space. Then
// a text of the learner's own, opened through the file dialog and typed,
// shows in the next run under its file's name. Two learners on one journal
// each find only their own sessions once chosen at start-up.
#include <QtTest>

#include "hookclient.h"

class TestX11Progression : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sessionsSurviveARestart();
    void ownTextSurvivesARestart();
    void reviewDrillsTheMissedKey();
    void chosenLearnerSeesOnlyTheirSession();

private:
    // Starts the program; activate: with a click on the frame, as a first
    // click of the learner (not while a question is asked at start-up).
    bool start(bool activate = true);
    bool openLearners();
    bool chooseLearnerRow(int row, const QString &name);
    bool clickStatusBar();
    bool waitFor(const std::function<bool()> &ready) { return m_client.waitFor(ready, 20000); }
    QString value(const QString &key) const { return m_client.value(key); }
    static bool keys(const QStringList &names) { return HookClient::keys(names); }

    QTemporaryDir m_home;
    HookClient m_client;
};

void TestX11Progression::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
    QVERIFY(m_home.isValid());
    QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("hook")));
    m_client.setHookDir(m_home.filePath(QStringLiteral("hook")));
}

bool TestX11Progression::clickStatusBar()
{
    const QStringList frame = value(QStringLiteral("window.TMainForm.geometry")).split(QLatin1Char(','));
    return frame.size() == 4 &&
           HookClient::xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"),
                                value(QStringLiteral("window.TMainForm")), QStringLiteral("8"),
                                QString::number(frame[3].toInt() - 8), QStringLiteral("click"),
                                QStringLiteral("1")}) &&
           waitFor([this] { return value(QStringLiteral("activeWindow")) == QLatin1String("TMainForm"); });
}

bool TestX11Progression::start(bool activate)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    if (!m_client.start(QStringLiteral(JOURNEY_APP), m_home.path(), env))
        return false;
    if (!activate)
        return true;
    // A click on the status bar makes it the active window, as the first
    // click of a learner would; the menu bar then answers Alt.
    return clickStatusBar();
}

void TestX11Progression::sessionsSurviveARestart()
{
    QVERIFY(start());
    // Exercise 2 from the menu, opened with the mouse (the keyboard window
    // takes Alt as a key to describe).
    QVERIFY(m_client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Exercices1")));
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
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
    QCOMPARE(m_client.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_client.process().exitCode(), 0);
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
    QVERIFY(!m_client.contains(QStringLiteral("table.StringGrid1.2")));
    QCOMPARE(newest.mid(1, 3),
             (QStringList{QStringLiteral("3 Touches z o"), QStringLiteral("1"), QStringLiteral("0")}));
    QCOMPARE(older.mid(1, 3),
             (QStringList{QStringLiteral("2 Touches a p"), QStringLiteral("5"), QStringLiteral("1")}));
    QCOMPARE(value(QStringLiteral("table.StringGrid2.0")).section(QLatin1Char('|'), 0, 1),
             QStringLiteral("Espace|1"));
    QVERIFY(keys({QStringLiteral("Escape")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
}

void TestX11Progression::ownTextSurvivesARestart()
{
    QFile text(m_home.filePath(QStringLiteral("lettre.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Bonjour Paul\r\nA bientot\r\n");
    text.close();
    QVERIFY(start());
    // Texte, Votre texte...: with no recent text and nothing in the
    // clipboard, the file dialog opens at once, in the start folder.
    QVERIFY(m_client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Texte1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Texte1"); }));
    // Its V is Curriculum Vitae's too: the item is clicked.
    QVERIFY(m_client.click(QStringLiteral("Texte1"), QStringLiteral("menuitem.Votretexte1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("QFileDialog"); }));
    QVERIFY(HookClient::type(QStringLiteral("lettre.txt")));
    // The name's completion may take the first Return.
    for (int i = 0; i < 3 && value(QStringLiteral("modal")) == QLatin1String("QFileDialog"); ++i) {
        QVERIFY(keys({QStringLiteral("Return")}));
        m_client.waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }, 2000);
    }
    // Without a window manager the keyboard may stay with no window once
    // the dialog is gone: a click on the status bar, as the learner would.
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }));
    if (value(QStringLiteral("activeWindow")).isEmpty())
        QVERIFY(clickStatusBar());
    QVERIFY2(waitFor([this] {
                 return value(QStringLiteral("active")) == QLatin1String("TTexte") &&
                        value(QStringLiteral("focus")) == QLatin1String("RichEdit2") &&
                        value(QStringLiteral("TTexte.model0")) == QLatin1String("Bonjour Paul");
             }),
             qPrintable(value(QStringLiteral("focus"))));
    QCOMPARE(value(QStringLiteral("TTexte.code")), QStringLiteral("8"));
    QVERIFY(HookClient::type(QStringLiteral("Bonjour Paul")));
    QVERIFY(keys({QStringLiteral("Return")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("TTexte.good")) == QLatin1String("1"); }));
    QCOMPARE(value(QStringLiteral("TTexte.errors")), QStringLiteral("0"));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
    QCOMPARE(m_client.process().exitCode(), 0);
    // The settings file keeps the path of the text, for the next time.
    const QDir config(m_home.filePath(QStringLiteral("config/Tapivox")));
    const QStringList files = config.entryList({QStringLiteral("Tapivox.*")}, QDir::Files);
    QCOMPARE(files.size(), 1);
    QFile settings(config.filePath(files.constFirst()));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(settings.readAll().contains("lettre.txt"));

    // The next run: the text lessons' family, the learner's text first (by
    // its file's name where the journal has room for it).
    QVERIFY(start());
    QVERIFY(keys({QStringLiteral("alt+o")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Options1"); }));
    QVERIFY(keys({QStringLiteral("p")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("TProgression"); }));
    const QStringList newest = value(QStringLiteral("table.StringGrid1.0")).split(QLatin1Char('|'));
    QVERIFY2(newest.value(1) == QStringLiteral("Votre texte\u00a0: lettre.txt") ||
                 newest.value(1) == QStringLiteral("Votre texte"),
             qPrintable(newest.value(1)));
    QCOMPARE(newest.mid(2, 2), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
    QVERIFY(keys({QStringLiteral("Escape")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
}

void TestX11Progression::reviewDrillsTheMissedKey()
{
    // A first run.
    QVERIFY(QDir(m_home.filePath(QStringLiteral("data"))).removeRecursively());
    QVERIFY(start());
    QVERIFY(m_client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Exercices1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Exercices1"); }));
    QVERIFY(keys({QStringLiteral("2")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("focus")) == QLatin1String("Edit2"); }));
    // "ap pa ap pa": q pressed where each a is expected.
    QVERIFY(keys({"q", "a", "p", "space", "p", "q", "a", "space", "q", "a", "p", "space", "p", "q", "a"}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("TExos.Label2")) == QLatin1String("Bon : 11     Erreurs : 4");
    }));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);

    QVERIFY(start());
    QVERIFY(m_client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Exercices1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Exercices1"); }));
    QVERIFY(keys({QStringLiteral("r")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("menu.TExos")) != QLatin1String("1"); }));
    QVERIFY2(value(QStringLiteral("TExos.Label1")).startsWith(QString::fromUtf8("Révision\u00a0: a ")),
             qPrintable(value(QStringLiteral("TExos.Label1"))));
    for (const char *line : {"TExos.Edit1", "TExos.Edit3", "TExos.Edit5"})
        QVERIFY2(value(QLatin1String(line)).contains(QLatin1Char('a')),
                 qPrintable(value(QLatin1String(line))));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
}

// Options, Apprenants... from the keyboard (Alt released, then o: the
// keyboard window would take Alt+O as a key to describe).
bool TestX11Progression::openLearners()
{
    return keys({QStringLiteral("Alt_L"), QStringLiteral("o")}) &&
           waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Options1"); }) &&
           keys({QStringLiteral("a")}) &&
           waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("TApprenants"); });
}

// In the learners window: the list (Alt+Q), its row'th learner by the arrow
// keys, then « Changer d'apprenant » (Alt+C); the frame's title names them.
bool TestX11Progression::chooseLearnerRow(int row, const QString &name)
{
    if (!keys({QStringLiteral("alt+q")}) ||
        !waitFor([this] { return value(QStringLiteral("focus")) == QLatin1String("ListeApprenants"); }) ||
        !keys({QStringLiteral("Home")}))
        return false;
    for (int i = 0; i < row; ++i)
        if (!keys({QStringLiteral("Down")}))
            return false;
    if (!keys({QStringLiteral("alt+c")}) ||
        !waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }))
        return false;
    const QString title = QStringLiteral("Tapivox — ") + name;
    if (!waitFor([&] { return value(QStringLiteral("window.TMainForm.title")) == title; }))
        return false;
    // Without a window manager the keyboard may stay with no window once
    // the dialog is gone.
    return !value(QStringLiteral("activeWindow")).isEmpty() || clickStatusBar();
}

void TestX11Progression::chosenLearnerSeesOnlyTheirSession()
{
    QVERIFY(QDir(m_home.filePath(QStringLiteral("data"))).removeRecursively());
    QVERIFY(QDir(m_home.filePath(QStringLiteral("config"))).removeRecursively());
    QVERIFY(start());
    QCOMPARE(value(QStringLiteral("window.TMainForm.title")), QStringLiteral("Tapivox"));
    QVERIFY(m_client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Exercices1")));
    // Its 1 is also the mnemonic of exercises 10 to 18: the item is clicked.
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("popup")) == QLatin1String("Exercices1") &&
               m_client.contains(QStringLiteral("menuitem.N1gh1"));
    }));
    QVERIFY(m_client.click(QStringLiteral("Exercices1"), QStringLiteral("menuitem.N1gh1")));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("active")) == QLatin1String("TExos") &&
               value(QStringLiteral("focus")) == QLatin1String("Edit2");
    }));
    // The account's learner: "gh h", no mistake.
    QVERIFY(keys({QStringLiteral("g"), QStringLiteral("h"), QStringLiteral("space"), QStringLiteral("h")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("TExos.Label2")) == QLatin1String("Bon : 4     Erreurs : 0");
    }));

    // A second learner, added and chosen from the keyboard: the session
    // typed so far stays the first learner's.
    QVERIFY(openLearners());
    const QString first = value(QStringLiteral("table.ListeApprenants.0")).section(QLatin1Char('|'), 0, 0);
    QVERIFY2(first.endsWith(QStringLiteral(" (en cours)")), qPrintable(first));
    const QString firstName = first.chopped(int(QStringLiteral(" (en cours)").size()));
    QVERIFY(keys({QStringLiteral("alt+n")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("focus")) == QLatin1String("NomApprenant"); }));
    QVERIFY(HookClient::type(QStringLiteral("Lucas")));
    QVERIFY(keys({QStringLiteral("alt+a")}));
    QVERIFY(waitFor([this] { return m_client.contains(QStringLiteral("table.ListeApprenants.1")); }));
    // The newcomer has not learnt yet: after the one learning now.
    QCOMPARE(value(QStringLiteral("table.ListeApprenants.1")).section(QLatin1Char('|'), 0, 0),
             QStringLiteral("Lucas"));
    QVERIFY(chooseLearnerRow(1, QStringLiteral("Lucas")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("focus")) == QLatin1String("Edit2"); }));
    // Lucas goes on in the same line: g, a j refused for the space, " gh".
    QVERIFY(keys({QStringLiteral("g"), QStringLiteral("j"), QStringLiteral("space"), QStringLiteral("g"),
                  QStringLiteral("h")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("TExos.Label2")) == QLatin1String("Bon : 8     Erreurs : 1");
    }));
    // Back to the first learner (Lucas's session ends as his), who types
    // the newest session of the journal, " h", and quits.
    QVERIFY(openLearners());
    QCOMPARE(value(QStringLiteral("table.ListeApprenants.0")).section(QLatin1Char('|'), 0, 0),
             QStringLiteral("Lucas (en cours)"));
    QVERIFY(chooseLearnerRow(1, firstName));
    QVERIFY(waitFor([this] { return value(QStringLiteral("focus")) == QLatin1String("Edit2"); }));
    QVERIFY(keys({QStringLiteral("space"), QStringLiteral("h")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("TExos.Label2")) == QLatin1String("Bon : 10     Erreurs : 1");
    }));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
    QCOMPARE(m_client.process().exitCode(), 0);

    // The next run asks who learns, the last learner first and chosen;
    // Lucas is one row down, and Entrée takes him.
    QVERIFY(start(false));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("modal")) == QLatin1String("QuiApprend") &&
               value(QStringLiteral("activeWindow")) == QLatin1String("QuiApprend") &&
               value(QStringLiteral("focus")) == QLatin1String("ListeNoms");
    }));
    QCOMPARE(value(QStringLiteral("modal.title")), QStringLiteral("Qui apprend ?"));
    QCOMPARE(value(QStringLiteral("list.ListeNoms.0")), firstName);
    QCOMPARE(value(QStringLiteral("list.ListeNoms.1")), QStringLiteral("Lucas"));
    QVERIFY(!m_client.contains(QStringLiteral("list.ListeNoms.2")));
    QCOMPARE(value(QStringLiteral("list.ListeNoms.current")), QStringLiteral("0"));
    QVERIFY(keys({QStringLiteral("Down")}));
    QVERIFY(
        waitFor([this] { return value(QStringLiteral("list.ListeNoms.current")) == QLatin1String("1"); }));
    QVERIFY(keys({QStringLiteral("Return")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("modal")).isEmpty() &&
               value(QStringLiteral("window.TMainForm.title")) == QStringLiteral("Tapivox — Lucas");
    }));
    // The offer resumes Lucas's exercise at his accuracy (4 of 5), not the
    // first learner's newer session at 100 %.
    QVERIFY(waitFor([this] { return m_client.contains(QStringLiteral("GuideReprendre")); }));
    const QString offer = value(QStringLiteral("GuideReprendre"));
    QVERIFY2(offer.startsWith(QStringLiteral("Reprendre : Exercice 1, Touches g h — ")) &&
                 offer.endsWith(QStringLiteral(", 80 %")),
             qPrintable(offer));
    if (value(QStringLiteral("activeWindow")).isEmpty())
        QVERIFY(clickStatusBar());
    QVERIFY(keys({QStringLiteral("alt+o")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Options1"); }));
    QVERIFY(keys({QStringLiteral("p")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("TProgression"); }));
    QCOMPARE(value(QStringLiteral("table.StringGrid1.0")).split(QLatin1Char('|')).mid(1, 3),
             (QStringList{QStringLiteral("1 Touches g h"), QStringLiteral("5"), QStringLiteral("1")}));
    QVERIFY(!m_client.contains(QStringLiteral("table.StringGrid1.1")));
    QCOMPARE(value(QStringLiteral("table.StringGrid2.0")).section(QLatin1Char('|'), 0, 1),
             QStringLiteral("Espace|1"));
    QVERIFY(keys({QStringLiteral("Escape")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }));
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
}

QTEST_GUILESS_MAIN(TestX11Progression)
#include "tst_x11_progression.moc"
