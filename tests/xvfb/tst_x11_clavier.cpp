// The keyboard window under a real X server with the French layout: keys
// pressed through the server (xdotool) are named, dead keys compose, Tab
// stays in the window and the Caps Lock light follows the lock.
#include "app/forms.h"
#include "app/tmainform.h"
#include "keyboard/keybutton.h"
#include "keyboard/keydescriptions.h"
#include "keyboard/tclavier.h"
#include "keymodel/keymodel.h"
#include "support/testsupport.h"
#include "ui/lockstate.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

#include <memory>

class TestX11Clavier : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void keysThroughTheServer_data();
    void keysThroughTheServer();
    void capsLockLight();
    void controlKeyIsACharacter_data();
    void controlKeyIsACharacter();
    void deadKeyIsADrillAnswer();
    void belgianLayoutShowsItsOwnKeys();

private:
    bool xdotool(const QStringList &args);
    TClavier *m_window = nullptr;
    bool m_wayland = false;
    std::unique_ptr<test::TempCwd> m_cwd;
    std::unique_ptr<test::PrompterScope> m_prompter;
};

bool TestX11Clavier::xdotool(const QStringList &args)
{
    return test::sendKeys(args);
}

// The whole program, as the learner starts it: the keyboard window in front.
void TestX11Clavier::initTestCase()
{
    m_wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (QGuiApplication::platformName() != QLatin1String("xcb") && !m_wayland)
        QSKIP("needs an X server or a Wayland compositor");
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    // Under Wayland, Caps Lock is locked before the program starts: a
    // keyboard with the lock on stays on the seat meanwhile.
    QProcess locked;
    if (m_wayland) {
        locked.start(QStringLiteral("wtype"), {QStringLiteral("-M"), QStringLiteral("capslock"),
                                               QStringLiteral("-s"), QStringLiteral("3000")});
        QVERIFY(locked.waitForStarted());
    }
    test::startProgram();
    m_window = forms().Clavier;
    QVERIFY(m_window);
    TMainForm *frame = forms().MainForm;
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window));
    if (m_wayland) {
        // Right at start-up, before any key of the program.
        QTRY_VERIFY(m_window->SpeedButton106->isEnabled());
        QVERIFY(locked.waitForFinished());
    }
}

void TestX11Clavier::cleanupTestCase()
{
    test::stopProgram();
    m_prompter.reset();
    m_cwd.reset();
}

void TestX11Clavier::keysThroughTheServer_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << QStringList{"q"} << QStringLiteral("Touche q  (#113)");
    QTest::newRow("e acute, unshifted digit row")
        << QStringList{"eacute"} << QString::fromUtf8("Touche é  (#233)");
    QTest::newRow("ampersand") << QStringList{"ampersand"} << QStringLiteral("Touche &  (#38)");
    // ê is code 234, whose glyph in the table is "_".
    QTest::newRow("dead circumflex then e")
        << QStringList{"dead_circumflex", "e"} << QStringLiteral("Touche _  (#234)");
    QTest::newRow("Tab") << QStringList{"Tab"} << keyboard::specialKeyDescription(9);
    QTest::newRow("shifted letter") << QStringList{"shift+a"} << keyboard::specialKeyDescription(16);
    QTest::newRow("F5") << QStringList{"F5"} << keyboard::specialKeyDescription(116);
    QTest::newRow("keypad 5, Num Lock off") << QStringList{"KP_Begin"} << QStringLiteral("Touche Centre");
    QTest::newRow("keypad 8, Num Lock off") << QStringList{"KP_Up"} << keyboard::specialKeyDescription(38);
    // ẑ lies outside Windows-1252: the circumflex, then the letter.
    QTest::newRow("dead circumflex then z")
        << QStringList{"dead_circumflex", "z"} << QStringLiteral("Touche z  (#122)");
    // Alt alone stays with the window: the next key is still named.
    QTest::newRow("Alt then a letter") << QStringList{"Alt_L", "w"} << QStringLiteral("Touche w  (#119)");
}

void TestX11Clavier::keysThroughTheServer()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, shown);
    QVERIFY(m_window);
    m_window->FormKeyPress(0); // "Touche #0": a text no key gives here
    QVERIFY(
        xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")} + keys));
    QTRY_COMPARE(m_window->Label2->text(), shown);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window));
}

void TestX11Clavier::capsLockLight()
{
    QVERIFY(m_window);
    if (m_wayland) {
        // Each wtype keyboard comes with its own locks: the light follows
        // what the compositor says after each release.
        for (bool on : {true, false, true}) {
            QStringList args{QStringLiteral("-P"),        QStringLiteral("Caps_Lock"), QStringLiteral("-p"),
                             QStringLiteral("Caps_Lock"), QStringLiteral("-s"),        QStringLiteral("300")};
            if (on)
                args = QStringList{QStringLiteral("-M"), QStringLiteral("capslock")} + args;
            m_window->FormKeyPress(0);
            QVERIFY(test::runKeyTool(QStringLiteral("wtype"), args));
            QTRY_COMPARE(m_window->Label2->text(), keyboard::specialKeyDescription(20));
            QTRY_COMPARE(m_window->SpeedButton106->isEnabled(), on);
        }
        return;
    }
    const bool before = m_window->SpeedButton106->isEnabled();
    // Off while the key is held, whatever the lock; the new state after.
    QVERIFY(xdotool({QStringLiteral("keydown"), QStringLiteral("Caps_Lock")}));
    QTRY_COMPARE(m_window->Label2->text(), keyboard::specialKeyDescription(20));
    QVERIFY(!m_window->SpeedButton106->isEnabled());
    QVERIFY(xdotool({QStringLiteral("keyup"), QStringLiteral("Caps_Lock")}));
    QTRY_COMPARE(m_window->SpeedButton106->isEnabled(), !before);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    QTRY_COMPARE(m_window->SpeedButton106->isEnabled(), before);
    // The drill takes the same key as a right answer.
    m_window->SetIni(1);
    for (int n = 0; n < 5000 && m_window->drill().target() != ui::vk::Capital; ++n)
        m_window->Tirage1();
    m_window->FormActivate();
    const int good = m_window->good();
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    QTRY_COMPARE(m_window->good(), good + 1);
    QTRY_COMPARE(m_window->SpeedButton106->isEnabled(), !before);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    QTRY_COMPARE(m_window->SpeedButton106->isEnabled(), before);
    m_window->SetIni(0);
}

// Ctrl+C is the character code 3 here, not the frame's copy command.
void TestX11Clavier::controlKeyIsACharacter_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Ctrl+C") << QStringLiteral("c") << QStringLiteral("Touche #3 (Ctrl C)");
    QTest::newRow("Ctrl+Backspace") << QStringLiteral("BackSpace") << QStringLiteral("Touche \x7f  (#127)");
    QTest::newRow("Ctrl+Space") << QStringLiteral("space") << QStringLiteral("Touche Espace  (#32)");
}

void TestX11Clavier::controlKeyIsACharacter()
{
    QFETCH(QString, key);
    QFETCH(QString, shown);
    QVERIFY(m_window);
    m_window->FormKeyPress(0);
    QVERIFY(xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl"), QStringLiteral("key"), key}));
    QTRY_COMPARE(m_window->Label2->text(), shown);
    QVERIFY(xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl")}));
    QTRY_COMPARE(m_window->Label2->text(), keyboard::specialKeyDescription(17));
}

// The ^ key gives its key-down and key-up like any key: one wrong answer on
// its release, and the next answer is judged on its release again.
void TestX11Clavier::deadKeyIsADrillAnswer()
{
    QVERIFY(m_window);
    m_window->SetIni(1);
    while (m_window->drill().target() != 116)
        m_window->Tirage1();
    m_window->FormActivate();
    const int good = m_window->good();
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("dead_circumflex")}));
    QTRY_COMPARE(m_window->errors(), 1);
    QVERIFY(xdotool({QStringLiteral("keydown"), QStringLiteral("F5")}));
    QVERIFY(xdotool({QStringLiteral("keyup"), QStringLiteral("F5")}));
    QTRY_COMPARE(m_window->good(), good + 1);
    QCOMPARE(m_window->errors(), 1);
    m_window->SetIni(0);
}

// The learner switches to the Belgian layout: the key that types § there
// shows and says it, and pressing it names that key; back on the French
// layout the picture is the French one again.
void TestX11Clavier::belgianLayoutShowsItsOwnKeys()
{
    if (m_wayland)
        QSKIP("setxkbmap changes the X server's layout");
    QVERIFY(m_window);
    const auto setLayout = [](const QString &layout) {
        return QProcess::execute(QStringLiteral("setxkbmap"), {layout}) == 0;
    };
    auto restore = qScopeGuard([&] { setLayout(QStringLiteral("fr")); });
    QVERIFY(setLayout(QStringLiteral("be")));
    keyboard::KeyButton *six = m_window->speedButton(33);
    QTRY_COMPARE(six->text(), QString::fromUtf8("6§"));
    QCOMPARE(six->accessibleName(), QString::fromUtf8("Touche § 6"));
    QCOMPARE(m_window->speedButton(28)->text(), QStringLiteral("1"));
    m_window->FormKeyPress(0);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("section")}));
    QTRY_COMPARE(m_window->Label2->text(), QString::fromUtf8("Touche § 6\u00a0: § (#167)"));
    QVERIFY(setLayout(QStringLiteral("fr")));
    QTRY_COMPARE(six->text(), QStringLiteral("6"));
    QCOMPARE(six->accessibleName(), QStringLiteral("Touche - 6"));
}

QTEST_MAIN(TestX11Clavier)
#include "tst_x11_clavier.moc"
