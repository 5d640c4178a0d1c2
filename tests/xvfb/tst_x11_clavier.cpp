// The keyboard window under a real X server with the French layout: keys
// pressed through the server (xdotool) are named, dead keys compose, Tab
// stays in the window and the Caps Lock light follows the lock.
#include "keyboard/keybutton.h"
#include "keyboard/keydescriptions.h"
#include "keyboard/tclavier.h"
#include "ui/lockstate.h"
#include "ui/platform.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

class TestX11Clavier : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void keysThroughTheServer_data();
    void keysThroughTheServer();
    void capsLockLight();

  private:
    bool xdotool(const QStringList &args);
    TClavier *m_window = nullptr;
};

bool TestX11Clavier::xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void TestX11Clavier::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    ui::setUpPlatform(*qApp);
    m_window = new TClavier;
    m_window->SetIni(0);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_window));
}

void TestX11Clavier::cleanupTestCase()
{
    delete m_window;
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

QTEST_MAIN(TestX11Clavier)
#include "tst_x11_clavier.moc"
