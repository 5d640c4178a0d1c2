// A learner's first hour, end to end: the real program (its test build,
// tapivox_testhook) runs as a separate process under Xvfb with the French
// layout and is driven only through the X server (xdotool keys and clicks).
// Its state is read from the text dump the test build writes on SIGUSR1.
// A screenshot of every step is kept in <build dir>/journey-screens/, the
// folder to keep as a CI artifact. The program runs in a temporary lesson
// folder with a temporary HOME; JOURNEY_SEED (default 2026) seeds its key
// drill and game, and the test answers whatever keys the drill asks.
#include "app/lesson/tstats.h"
#include "app/lessontable.h"
#include "drills/exercisetexts.h"
#include "keyboard/keydescriptions.h"
#include "ui/caption.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include "hookclient.h"

namespace {

// The X key names of the key drill's prompts.
QString drillKeysym(const QString &name)
{
    static const QMap<QString, QString> keysyms = {
        {QStringLiteral("Tabulation"), QStringLiteral("Tab")},
        {QStringLiteral("Majuscules"), QStringLiteral("Shift_L")},
        {QString::fromUtf8("Contrôle"), QStringLiteral("Control_L")},
        {QStringLiteral("Alt"), QStringLiteral("Alt_L")},
        {QStringLiteral("Pause"), QStringLiteral("Pause")},
        {QStringLiteral("Verr Maj"), QStringLiteral("Caps_Lock")},
        {QStringLiteral("Page Up"), QStringLiteral("Prior")},
        {QStringLiteral("Page Down"), QStringLiteral("Next")},
        {QStringLiteral("End"), QStringLiteral("End")},
        {QStringLiteral("Home"), QStringLiteral("Home")},
        {QStringLiteral("Left"), QStringLiteral("Left")},
        {QStringLiteral("Up"), QStringLiteral("Up")},
        {QStringLiteral("Right"), QStringLiteral("Right")},
        {QStringLiteral("Down"), QStringLiteral("Down")},
        {QStringLiteral("Imp Ecran"), QStringLiteral("Print")},
        {QStringLiteral("Insert"), QStringLiteral("Insert")},
        {QStringLiteral("Suppression"), QStringLiteral("Delete")},
        {QStringLiteral("Windows gauche"), QStringLiteral("Super_L")},
        // By its key code: xdotool presses Super_L along with the keysym.
        {QStringLiteral("Windows droite"), QStringLiteral("134")},
        {QStringLiteral("Menu"), QStringLiteral("Menu")},
        {QStringLiteral("Verr Num"), QStringLiteral("Num_Lock")},
        {QString::fromUtf8("Arrêt Défil"), QStringLiteral("Scroll_Lock")},
    };
    if (name.size() <= 3 && name.startsWith(QLatin1Char('F')))
        return name; // F1 .. F12
    return keysyms.value(name);
}

} // namespace

class TestX11Journey : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void readsTwoKeyDescriptions();
    void answersFiveDrillKeys();
    void typesTheFirstExerciseLineWithOneMistake();
    void typesAPhraseWithADeadKeyAccent();
    void copiesTwoLinesOfTheFable();
    void fillsTwoBudgetCells();
    void fillsOneAddressRecord();
    void playsLettersUntilOneFalls();
    void opensTheStatistics();
    void writesANote();
    void savesTheLessonAs();
    void quitsAndSavesOnTheWay();
    void startsAgainAndReopensTheLesson();
    void quitsWithoutSaving();

private:
    bool startProgram();
    void stopProgram() { m_client.stop(); }
    bool requestState(const QString &shot = QString());
    bool waitFor(const std::function<bool()> &ready, int timeoutMs = 10000)
    {
        return m_client.waitFor(ready, timeoutMs);
    }
    QString value(const QString &key) const { return m_client.value(key); }
    int number(const QString &key) const { return m_client.number(key); }
    static bool xdotool(const QStringList &args) { return HookClient::xdotool(args); }
    static bool keys(const QStringList &names) { return HookClient::keys(names); }
    static bool type(const QString &ascii) { return HookClient::type(ascii); }
    bool click(const QString &window, const QString &rectKey) { return m_client.click(window, rectKey); }
    bool clickWidget(const QString &window, const QString &owner, const QString &name);
    bool chooseMenu(const QString &menu, const QString &item);
    bool typeFileName(const QString &path);

    QTemporaryDir m_root;
    QString m_cwd, m_home, m_hook, m_screens, m_lessonFile;
    HookClient m_client;
    int m_shot = 0;
    QMap<QString, QString> m_saved; // the state that the lesson file keeps
    QStringList m_locksToggled;
    QString m_note;
    QByteArray m_savedFile;
};

void TestX11Journey::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
    QVERIFY(m_root.isValid());
    m_cwd = m_root.filePath(QStringLiteral("lessons"));
    m_home = m_root.filePath(QStringLiteral("home"));
    m_hook = m_root.filePath(QStringLiteral("hook"));
    for (const QString &dir : {m_cwd, m_home, m_hook})
        QVERIFY(QDir().mkpath(dir));
    m_lessonFile = m_cwd + QStringLiteral("/journee.tpx");
    m_screens = QStringLiteral(JOURNEY_SCREENS);
    QDir(m_screens).removeRecursively();
    QVERIFY(QDir().mkpath(m_screens));
    QVERIFY(startProgram());
}

void TestX11Journey::cleanupTestCase()
{
    // The X server outlives the test: its lock keys go back as they were.
    if (!m_locksToggled.isEmpty())
        keys(m_locksToggled);
    stopProgram();
}

// A failed step leaves no menu or dialog open in the way of the next one.
void TestX11Journey::cleanup()
{
    if (!QTest::currentTestFailed() || !requestState(QStringLiteral("failed")))
        return;
    for (int i = 0;
         i < 3 && (!value(QStringLiteral("popup")).isEmpty() || !value(QStringLiteral("modal")).isEmpty());
         ++i)
        if (!keys({QStringLiteral("Escape")}) || !requestState())
            return;
}

// Starts the program in the lesson folder with a temporary HOME.
bool TestX11Journey::startProgram()
{
    m_client.setHookDir(m_hook);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home);
    env.insert(QStringLiteral("XDG_DATA_HOME"),
               m_home + QStringLiteral("/.local/share")); // the progression journal
    env.insert(QStringLiteral("TAPIVOX_TESTHOOK_SEED"),
               qEnvironmentVariable("JOURNEY_SEED", QStringLiteral("2026")));
    return m_client.start(QStringLiteral(JOURNEY_APP), m_cwd, env);
}

// Asks the program for its state (and a screenshot named after the step).
bool TestX11Journey::requestState(const QString &shot)
{
    QString png;
    if (!shot.isEmpty())
        png = QStringLiteral("%1/%2-%3.png").arg(m_screens).arg(++m_shot, 2, 10, QLatin1Char('0')).arg(shot);
    return m_client.requestState(png);
}

bool TestX11Journey::clickWidget(const QString &window, const QString &owner, const QString &name)
{
    return click(window, QStringLiteral("geom.%1.%2.%3").arg(window, owner, name));
}

// Opens a menu of the menu bar with the mouse and clicks one of its items.
bool TestX11Journey::chooseMenu(const QString &menu, const QString &item)
{
    if (!requestState() || !click(QStringLiteral("TMainForm"), QStringLiteral("menubar.") + menu))
        return false;
    const QString itemKey = QStringLiteral("menuitem.") + item;
    if (!waitFor([&] { return value(QStringLiteral("popup")) == menu && m_client.contains(itemKey); }))
        return false;
    if (!click(menu, itemKey))
        return false;
    return waitFor([&] { return value(QStringLiteral("popup")).isEmpty(); });
}

// Types a full path into Qt's own file dialog (its name box has the focus)
// and accepts it with Return. A name that exists opens the completion list
// under the box; the first Return may only close that list.
bool TestX11Journey::typeFileName(const QString &path)
{
    if (!waitFor([this] {
            return value(QStringLiteral("modal")) == QLatin1String("QFileDialog") &&
                   value(QStringLiteral("focus")) == QLatin1String("fileNameEdit");
        }))
        return false;
    if (!type(path) || !requestState(QStringLiteral("file-name")))
        return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!keys({QStringLiteral("Return")}))
            return false;
        if (waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }, 3000))
            return true;
    }
    return false;
}

void TestX11Journey::readsTwoKeyDescriptions()
{
    QVERIFY(requestState(QStringLiteral("start")));
    QCOMPARE(value(QStringLiteral("active")), QStringLiteral("TClavier"));
    QCOMPARE(value(QStringLiteral("TClavier.code")), QStringLiteral("0"));
    // A character key: its name and code.
    QVERIFY(keys({QStringLiteral("eacute")}));
    const QString eacute = ui::captionText(keyboard::characterDescription(0xE9));
    QVERIFY(waitFor([&] { return value(QStringLiteral("TClavier.Label2")) == eacute; }));
    QVERIFY(requestState(QStringLiteral("key-eacute")));
    // A special key: what it is for. The right Windows key is not the left one.
    QVERIFY(keys({drillKeysym(QStringLiteral("Windows droite"))}));
    const QString windows = ui::captionText(keyboard::specialKeyDescription(92));
    QVERIFY(waitFor([&] { return value(QStringLiteral("TClavier.Label2")) != eacute; }));
    QVERIFY(requestState(QStringLiteral("key-windows-right")));
    QCOMPARE(value(QStringLiteral("TClavier.Label2")), windows);
}

void TestX11Journey::answersFiveDrillKeys()
{
    QVERIFY(chooseMenu(QStringLiteral("Clavier1"), QStringLiteral("Touches1")));
    QVERIFY(waitFor([this] { return number(QStringLiteral("TClavier.code")) == 1; }));
    QCOMPARE(value(QStringLiteral("checked.Clavier1")), QStringLiteral("Touches1"));
    const QString ask = QStringLiteral("Appuyez sur la touche ");
    int good = number(QStringLiteral("TClavier.good"));
    for (int answer = 1; answer <= 5; ++answer) {
        QVERIFY(requestState(QStringLiteral("drill-%1").arg(answer)));
        const QString prompt = value(QStringLiteral("TClavier.Label1"));
        QVERIFY2(prompt.startsWith(ask), qPrintable(prompt));
        const QString keysym = drillKeysym(prompt.mid(ask.size()));
        QVERIFY2(!keysym.isEmpty(), qPrintable(prompt));
        qInfo().noquote() << "drill asks" << keysym;
        const QString lights = value(QStringLiteral("TClavier.lights"));
        QVERIFY(keys({keysym}));
        // A lock key also switches its light.
        const int light = QStringList{QStringLiteral("Num_Lock"), QStringLiteral("Caps_Lock"),
                                      QStringLiteral("Scroll_Lock")}
                              .indexOf(keysym);
        QString lit = lights;
        if (light >= 0) {
            m_locksToggled << keysym;
            lit[light] = lights[light] == u'1' ? u'0' : u'1';
        }
        QVERIFY2(waitFor([&] { return number(QStringLiteral("TClavier.good")) == good + 1; }),
                 qPrintable(prompt));
        ++good;
        QCOMPARE(value(QStringLiteral("TClavier.lights")), lit);
        QCOMPARE(value(QStringLiteral("TClavier.errors")), QStringLiteral("0"));
        QCOMPARE(value(QStringLiteral("TClavier.Label2")),
                 QStringLiteral("Bien : %1\r\nNombre d'Erreurs : 0").arg(good));
    }
    // A letter is a wrong answer and the same key stays asked.
    const QString prompt = value(QStringLiteral("TClavier.Label1"));
    QVERIFY(keys({QStringLiteral("q")}));
    QVERIFY(waitFor([this] { return number(QStringLiteral("TClavier.errors")) == 1; }));
    QCOMPARE(value(QStringLiteral("TClavier.Label1")), prompt);
    QCOMPARE(value(QStringLiteral("TClavier.Label2")), QStringLiteral("\r\nNombre d'Erreurs : 1"));
    QVERIFY(requestState(QStringLiteral("drill-wrong")));
}

void TestX11Journey::typesTheFirstExerciseLineWithOneMistake()
{
    QVERIFY(chooseMenu(QStringLiteral("Exercices1"), QStringLiteral("N1gh1")));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("active")) == QLatin1String("TExos") &&
               value(QStringLiteral("focus")) == QLatin1String("Edit2");
    }));
    // Lock keys answered in the drill are switched back before typing.
    if (!m_locksToggled.isEmpty()) {
        QVERIFY(keys(m_locksToggled));
        m_locksToggled.clear();
    }
    const QString line = QString::fromUtf8(drills::exerciseText(1)->models[0]);
    QCOMPARE(value(QStringLiteral("TExos.Edit1")), line);
    // The chronometer starts with a click on the time display.
    QVERIFY(clickWidget(QStringLiteral("TMainForm"), QStringLiteral("TExos"), QStringLiteral("StaticText2")));
    QVERIFY(waitFor([this] { return number(QStringLiteral("TExos.chrono")) == 1; }));
    QCOMPARE(value(QStringLiteral("focus")), QStringLiteral("Edit2"));
    QVERIFY(type(line.left(5)));
    QVERIFY(keys({QStringLiteral("j")})); // the mistake: refused
    QVERIFY(waitFor([this] { return number(QStringLiteral("TExos.errors")) == 1; }));
    QCOMPARE(value(QStringLiteral("TExos.Edit2")), line.left(5));
    QVERIFY(requestState(QStringLiteral("exercise-mistake")));
    QVERIFY(type(line.mid(5)));
    QVERIFY(waitFor([&] { return number(QStringLiteral("TExos.good")) == line.size(); }));
    QCOMPARE(value(QStringLiteral("TExos.Edit2")), line);
    QCOMPARE(value(QStringLiteral("TExos.Label2")),
             QStringLiteral("Bon : %1     Erreurs : 1").arg(line.size()));
    QCOMPARE(value(QStringLiteral("focus")), QStringLiteral("Edit4"));
    QVERIFY(requestState(QStringLiteral("exercise-line")));
}

void TestX11Journey::typesAPhraseWithADeadKeyAccent()
{
    // Alt released, then x: "E&xercices" opens (Alt+X itself quits); Right
    // goes on to "&Phrases", where the mouse takes over.
    QVERIFY(keys({QStringLiteral("Alt_L"), QStringLiteral("x")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Exercices1"); }));
    QVERIFY(keys({QStringLiteral("Right")}));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("popup")) == QLatin1String("Phrases1") &&
               m_client.contains(QStringLiteral("menuitem.Dictions1"));
    }));
    QVERIFY(click(QStringLiteral("Phrases1"), QStringLiteral("menuitem.Dictions1")));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("active")) == QLatin1String("TPhrases") &&
               value(QStringLiteral("focus")) == QLatin1String("Edit2");
    }));
    const QString phrase = QString::fromUtf8("Nul n'est tenu de s'accuser soi-même.");
    QCOMPARE(value(QStringLiteral("TPhrases.Edit1")), phrase);
    QVERIFY(type(QStringLiteral("Nul n'est tenu de s'accuser soi-m")));
    QVERIFY(keys({QStringLiteral("dead_circumflex"), QStringLiteral("e")}));
    QVERIFY(type(QStringLiteral("me.")));
    QVERIFY2(waitFor([&] { return number(QStringLiteral("TPhrases.good")) == phrase.size(); }),
             qPrintable(value(QStringLiteral("TPhrases.Edit2")) + QStringLiteral(" / errors ") +
                        value(QStringLiteral("TPhrases.errors")) + QStringLiteral(" / focus ") +
                        value(QStringLiteral("focus"))));
    QCOMPARE(value(QStringLiteral("TPhrases.Edit2")), phrase);
    QCOMPARE(value(QStringLiteral("TPhrases.errors")), QStringLiteral("0"));
    QCOMPARE(value(QStringLiteral("focus")), QStringLiteral("Edit4"));
    QVERIFY(requestState(QStringLiteral("phrase")));
}

void TestX11Journey::copiesTwoLinesOfTheFable()
{
    QVERIFY(chooseMenu(QStringLiteral("Texte1"), QStringLiteral("Fble1")));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("active")) == QLatin1String("TTexte") &&
               value(QStringLiteral("focus")) == QLatin1String("RichEdit2");
    }));
    QCOMPARE(value(QStringLiteral("TTexte.code")), QStringLiteral("2"));
    QVERIFY(type(QStringLiteral("La Cigale et la Fourmi")));
    QVERIFY(keys({QStringLiteral("Return"), QStringLiteral("Return")}));
    QVERIFY(type(QStringLiteral("La cigale, ayant chant")));
    QVERIFY(keys({QStringLiteral("eacute"), QStringLiteral("Return")}));
    QVERIFY(waitFor([this] { return number(QStringLiteral("TTexte.good")) == 3; }));
    QCOMPARE(value(QStringLiteral("TTexte.errors")), QStringLiteral("0"));
    QCOMPARE(value(QStringLiteral("TTexte.RichEdit2")),
             QString::fromUtf8("La Cigale et la Fourmi\n\nLa cigale, ayant chanté\n"));
    QVERIFY(requestState(QStringLiteral("fable")));
}

void TestX11Journey::fillsTwoBudgetCells()
{
    QVERIFY(chooseMenu(QStringLiteral("Tableur1"), QStringLiteral("Budget1")));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("active")) == QLatin1String("TTableur") &&
               value(QStringLiteral("focus.owner")) == QLatin1String("TTableur");
    }));
    QCOMPARE(value(QStringLiteral("TTableur.current")), QStringLiteral("1,1"));
    // A2 is empty in the model: down, then Tab to B2.
    QVERIFY(keys({QStringLiteral("Down"), QStringLiteral("Tab")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("TTableur.current")) == QLatin1String("2,2"); }));
    QVERIFY(type(QStringLiteral("Janvier")));
    QVERIFY(keys({QStringLiteral("Tab")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("TTableur.current")) == QLatin1String("3,2"); }));
    QVERIFY(type(QStringLiteral("F")));
    QVERIFY(keys({QStringLiteral("eacute")}));
    QVERIFY(type(QStringLiteral("vrier")));
    QVERIFY(keys({QStringLiteral("Tab")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("TTableur.current")) == QLatin1String("4,2"); }));
    QCOMPARE(value(QStringLiteral("TTableur.cell.B2")), QStringLiteral("Janvier"));
    QCOMPARE(value(QStringLiteral("TTableur.cell.C2")), QString::fromUtf8("Février"));
    QCOMPARE(value(QStringLiteral("TTableur.good")), QStringLiteral("14"));
    QCOMPARE(value(QStringLiteral("TTableur.errors")), QStringLiteral("0"));
    QVERIFY(requestState(QStringLiteral("budget")));
}

void TestX11Journey::fillsOneAddressRecord()
{
    QVERIFY(chooseMenu(QStringLiteral("Saisie1"), QStringLiteral("Rpertoire2")));
    QVERIFY(waitFor([this] {
        return value(QStringLiteral("active")) == QLatin1String("TSaisie") &&
               value(QStringLiteral("focus")) == QLatin1String("Edit6");
    }));
    QCOMPARE(value(QStringLiteral("TSaisie.Edit1")), QStringLiteral("Labarre"));
    const QStringList record = {QStringLiteral("Labarre"), QStringLiteral("Gaston"),
                                QStringLiteral("64, rue de la Paix"), QStringLiteral("69006"),
                                QStringLiteral("Lyon")};
    for (int i = 0; i < 5; ++i) {
        QVERIFY(type(record[i]));
        if (i < 4) {
            QVERIFY(keys({QStringLiteral("Tab")}));
            const QString next = QStringLiteral("Edit%1").arg(7 + i);
            QVERIFY2(waitFor([&] { return value(QStringLiteral("focus")) == next; }), qPrintable(record[i]));
        }
    }
    QVERIFY(waitFor([this] { return value(QStringLiteral("TSaisie.Edit10")) == QLatin1String("Lyon"); }));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(value(QStringLiteral("TSaisie.Edit%1").arg(6 + i)), record[i]);
    QVERIFY(requestState(QStringLiteral("address-record")));
    // The record is right: Page Down brings the next one with an empty form.
    QVERIFY(keys({QStringLiteral("Next")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("TSaisie.Edit1")) == QLatin1String("Chapelet"); }));
    QCOMPARE(value(QStringLiteral("TSaisie.Edit6")), QString());
    QCOMPARE(value(QStringLiteral("TSaisie.Edit10")), QString());
    QCOMPARE(value(QStringLiteral("focus")), QStringLiteral("Edit6"));
    QVERIFY(requestState(QStringLiteral("address-next")));
}

void TestX11Journey::playsLettersUntilOneFalls()
{
    QVERIFY(chooseMenu(QStringLiteral("Jeu1"), QStringLiteral("Lettres1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("active")) == QLatin1String("TJeu"); }));
    QVERIFY(clickWidget(QStringLiteral("TMainForm"), QStringLiteral("TJeu"), QStringLiteral("Button1")));
    QVERIFY(waitFor([this] {
        return number(QStringLiteral("TJeu.timer")) == 1 && number(QStringLiteral("TJeu.pos1")) >= 120;
    }));
    QCOMPARE(value(QStringLiteral("TJeu.Label2")), QStringLiteral("Bon : 0  Erreurs : 0"));
    QVERIFY(requestState(QStringLiteral("game-start")));
    // Destroy the letters of the first three columns (and their copies).
    QStringList letters;
    for (int i = 1; i <= 3; ++i)
        if (!letters.contains(value(QStringLiteral("TJeu.item%1").arg(i))))
            letters << value(QStringLiteral("TJeu.item%1").arg(i));
    int copies = 0;
    for (int i = 1; i <= 10; ++i)
        copies += letters.contains(value(QStringLiteral("TJeu.item%1").arg(i))) ? 1 : 0;
    QVERIFY(keys(letters));
    QVERIFY(waitFor([&] { return number(QStringLiteral("TJeu.logicGood")) == copies; }));
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(value(QStringLiteral("TJeu.item%1").arg(i)), QString());
    QVERIFY(requestState(QStringLiteral("game-letters-typed")));
    // The others fall one step a second until one passes the bottom.
    QVERIFY(waitFor([this] { return number(QStringLiteral("TJeu.logicErrors")) >= 1; }, 20000));
    QVERIFY(requestState(QStringLiteral("game-one-fell")));
    QCOMPARE(
        value(QStringLiteral("TJeu.Label2")),
        QStringLiteral("Bon : %1  Erreurs : %2").arg(copies).arg(value(QStringLiteral("TJeu.logicErrors"))));
}

void TestX11Journey::opensTheStatistics()
{
    // The game has none: back to the exercise with the toolbar.
    QVERIFY(requestState());
    QVERIFY(clickWidget(QStringLiteral("TMainForm"), QStringLiteral("TMainForm"),
                        QStringLiteral("SpeedButton2")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("active")) == QLatin1String("TExos"); }));
    // From the keyboard this time: Alt+O opens "&Options", b chooses "&Bilan".
    QVERIFY(keys({QStringLiteral("alt+o")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Options1"); }));
    QVERIFY(requestState(QStringLiteral("options-menu")));
    QVERIFY(keys({QStringLiteral("b")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("TStats"); }));
    QVERIFY(requestState(QStringLiteral("statistics")));
    // The chronometer runs on behind the window: its figures are those of
    // the duration shown.
    const QStringList duration = value(QStringLiteral("TStats.Edit5")).split(QLatin1Char(':'));
    QCOMPARE(duration.size(), 2);
    const int seconds = duration[0].toInt() * 60 + duration[1].toInt();
    QVERIFY2(seconds >= 1 && seconds <= number(QStringLiteral("TExos.seconds")),
             qPrintable(duration.join(u':')));
    const StatFigures expected = StatFigures::compute(number(QStringLiteral("TExos.good")),
                                                      number(QStringLiteral("TExos.errors")), seconds);
    QCOMPARE(value(QStringLiteral("TStats.Edit1")), expected.total);
    QCOMPARE(value(QStringLiteral("TStats.Edit2")), expected.errors);
    QCOMPARE(value(QStringLiteral("TStats.Edit3")), expected.percent);
    QCOMPARE(value(QStringLiteral("TStats.Edit4")), expected.perMinute);
    QCOMPARE(value(QStringLiteral("TStats.Edit5")), expected.duration);
    QCOMPARE(value(QStringLiteral("TStats.Edit6")), expected.wordsPerMinute);
    QVERIFY(clickWidget(QStringLiteral("TStats"), QStringLiteral("TStats"), QStringLiteral("Button1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }));
}

void TestX11Journey::writesANote()
{
    QVERIFY(chooseMenu(QStringLiteral("Utilitaires1"), QStringLiteral("Blocnotes1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("TBlocnotes"); }));
    QVERIFY(clickWidget(QStringLiteral("TBlocnotes"), QStringLiteral("TBlocnotes"), QStringLiteral("Memo1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("focus")) == QLatin1String("Memo1"); }));
    QVERIFY(type(QStringLiteral("Revoir les touches F5 et Tab")));
    QVERIFY(keys({QStringLiteral("Return")}));
    QVERIFY(type(QStringLiteral("Demain : la fable, ")));
    QVERIFY(keys({QStringLiteral("agrave")}));
    QVERIFY(type(QStringLiteral(" 9h")));
    m_note = QString::fromUtf8("Revoir les touches F5 et Tab\nDemain : la fable, à 9h");
    QVERIFY(waitFor([this] { return value(QStringLiteral("notes")) == m_note; }));
    QVERIFY(requestState(QStringLiteral("note")));
    QVERIFY(
        clickWidget(QStringLiteral("TBlocnotes"), QStringLiteral("TBlocnotes"), QStringLiteral("Button1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")).isEmpty(); }));
}

void TestX11Journey::savesTheLessonAs()
{
    QVERIFY(chooseMenu(QStringLiteral("Fichier1"), QStringLiteral("Enregistrersous1")));
    QVERIFY(typeFileName(m_lessonFile));
    QVERIFY(waitFor([this] { return value(QStringLiteral("lessonFile")) == m_lessonFile; }));
    QVERIFY(requestState(QStringLiteral("saved")));
    m_saved = m_client.state();
    QFile file(m_lessonFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    m_savedFile = text;
    QCOMPARE(text.count("\r\n"), 15);
    // The active window first, then the lesson codes and the menus' choices.
    QCOMPARE(text.left(3), QByteArray("2\r\n"));
    QCOMPARE(value(QStringLiteral("checked.Clavier1")), QStringLiteral("Touches1"));
    QCOMPARE(value(QStringLiteral("checked.Phrases1")), QStringLiteral("Dictions1"));
    QCOMPARE(value(QStringLiteral("checked.Texte1")), QStringLiteral("Fble1"));
    QCOMPARE(value(QStringLiteral("checked.Tableur1")), QStringLiteral("Budget1"));
    QCOMPARE(value(QStringLiteral("checked.Saisie1")), QStringLiteral("Rpertoire2"));
}

void TestX11Journey::quitsAndSavesOnTheWay()
{
    QVERIFY(chooseMenu(QStringLiteral("Fichier1"), QStringLiteral("ExitItem")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("QMessageBox"); }));
    QCOMPARE(value(QStringLiteral("modal.text")), QString::fromUtf8("Enregistrer la leçon en cours ?"));
    QVERIFY(requestState(QStringLiteral("save-question")));
    QVERIFY(clickWidget(QStringLiteral("QMessageBox"), QStringLiteral("QMessageBox"),
                        QStringLiteral("button:Oui")));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
    QCOMPARE(m_client.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_client.process().exitCode(), 0);
    // "Oui" wrote the same lesson again; the notes went to the start folder.
    QFile lesson(m_lessonFile);
    QVERIFY(lesson.open(QIODevice::ReadOnly));
    QCOMPARE(lesson.readAll(), m_savedFile);
    QFile notes(m_cwd + QStringLiteral("/Tapivox.nte"));
    QVERIFY(notes.open(QIODevice::ReadOnly));
    QCOMPARE(notes.readAll(), QByteArray("Revoir les touches F5 et Tab\r\nDemain : la fable, \xE0 9h"));
}

void TestX11Journey::startsAgainAndReopensTheLesson()
{
    QVERIFY(startProgram());
    QVERIFY(requestState(QStringLiteral("restart")));
    QCOMPARE(value(QStringLiteral("active")), QStringLiteral("TClavier"));
    QCOMPARE(value(QStringLiteral("notes")), m_note);
    QVERIFY(chooseMenu(QStringLiteral("Fichier1"), QStringLiteral("OpenItem")));
    QVERIFY(typeFileName(m_lessonFile));
    QVERIFY(waitFor([this] { return value(QStringLiteral("lessonFile")) == m_lessonFile; }));
    QVERIFY(requestState(QStringLiteral("reopened")));
    QCOMPARE(value(QStringLiteral("active")), m_saved.value(QStringLiteral("active")));
    // Every lesson window: the program dumps one menu code per row of its table.
    QStringList lessons;
    for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it)
        if (it.key().startsWith(QLatin1String("menu.")))
            lessons << it.key().mid(5);
    QCOMPARE(lessons.size(), qsizetype(lessonTable().size()));
    for (const QString &w : lessons) {
        QCOMPARE(value(w + QStringLiteral(".code")), m_saved.value(w + QStringLiteral(".code")));
        QCOMPARE(value(QStringLiteral("menu.") + w), m_saved.value(QStringLiteral("menu.") + w));
    }
    for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it)
        if (it.key().startsWith(QLatin1String("checked.")))
            QCOMPARE(value(it.key()), it.value());
    QCOMPARE(value(QStringLiteral("notes")), m_note);
    // The check mark as the learner sees it.
    QVERIFY(click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Tableur1")));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")) == QLatin1String("Tableur1"); }));
    QVERIFY(requestState(QStringLiteral("reopened-menu")));
    QVERIFY(keys({QStringLiteral("Escape")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("popup")).isEmpty(); }));
    // The reopened lessons start afresh: the fable and the budget are back.
    QCOMPARE(value(QStringLiteral("TTexte.RichEdit2")), QString());
    QCOMPARE(value(QStringLiteral("TPhrases.Edit1")),
             QString::fromUtf8("Nul n'est tenu de s'accuser soi-même."));
}

// The last question answered "Non": the program ends cleanly and the lesson
// file stays as it was.
void TestX11Journey::quitsWithoutSaving()
{
    // This time by its shortcut, Alt+X, which "E&xercices" also claims.
    QVERIFY(keys({QStringLiteral("alt+x")}));
    QVERIFY(waitFor([this] { return value(QStringLiteral("modal")) == QLatin1String("QMessageBox"); }));
    QVERIFY(clickWidget(QStringLiteral("QMessageBox"), QStringLiteral("QMessageBox"),
                        QStringLiteral("button:Non")));
    QTRY_VERIFY_WITH_TIMEOUT(m_client.process().state() == QProcess::NotRunning, 15000);
    QCOMPARE(m_client.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_client.process().exitCode(), 0);
    QFile lesson(m_lessonFile);
    QVERIFY(lesson.open(QIODevice::ReadOnly));
    QCOMPARE(lesson.readAll(), m_savedFile);
}

QTEST_GUILESS_MAIN(TestX11Journey)
#include "tst_x11_journey.moc"
