// Alt alone and the menus under X11: after Alt, Escape gives the keys back to
// the lesson, and a menu mnemonic opens its menu.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/texos.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QtTest>

class TestX11Menus : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void altThenEscapeGivesKeysBack();

private:
    static void keys(const QStringList &names);
};

void TestX11Menus::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
}

void TestX11Menus::keys(const QStringList &names)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} +
                      names);
    QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, 10000);
}

void TestX11Menus::altThenEscapeGivesKeysBack()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    frame->action(QStringLiteral("N1gh1"))->trigger();
    auto *line = forms().Exos->findChild<QLineEdit *>(QStringLiteral("Edit2"));
    QVERIFY(line);
    line->setFocus();
    QTRY_VERIFY(line->hasFocus());
    keys({QStringLiteral("Alt_L"), QStringLiteral("Escape"), QStringLiteral("g")});
    QTRY_COMPARE(line->text(), QStringLiteral("g"));
    // Alt+F opens the Fichier menu; Escape closes it and typing goes on.
    keys({QStringLiteral("alt+f")});
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("Fichier1"));
    keys({QStringLiteral("Escape"), QStringLiteral("Escape"), QStringLiteral("h")});
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QTRY_COMPARE(line->text(), QStringLiteral("gh"));
    test::stopProgram();
}

QTEST_MAIN(TestX11Menus)
#include "tst_x11_menus.moc"
