// Real X key events with the French layout reach the text lesson and the
// game: dead-key accents and the keypad Enter.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/tjeu.h"
#include "drills/ttexte.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestX11Lessons : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void deadKeysInTheTextLesson();
    void deadDiaeresisInTheGame();

private:
    static void keys(const QStringList &names);
    void activateFrame();
    test::TempCwd *m_cwd = nullptr;
    test::PrompterScope *m_prompts = nullptr;
};

void TestX11Lessons::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
}

void TestX11Lessons::init()
{
    m_cwd = new test::TempCwd;
    m_prompts = new test::PrompterScope;
    test::startProgram();
    activateFrame();
}

void TestX11Lessons::cleanup()
{
    test::stopProgram();
    delete m_prompts;
    delete m_cwd;
}

void TestX11Lessons::activateFrame()
{
    TMainForm *frame = forms().MainForm;
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
}

void TestX11Lessons::keys(const QStringList &names)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")} +
                      names);
    // Keep the event loop running while xdotool types: a blocked loop lets
    // composed characters overtake the plain keys.
    QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, 10000);
    QCOMPARE(xdotool.exitCode(), 0);
}

void TestX11Lessons::deadKeysInTheTextLesson()
{
    forms().MainForm->action(QStringLiteral("Fonctionsdebase1"))->trigger();
    TTexte *texte = forms().Texte;
    texte->RichEdit2->setFocus();
    QTRY_VERIFY(texte->RichEdit2->hasFocus());
    // AltGr+i ("→") is outside Windows-1252 and not typed; ẑ neither: the
    // circumflex, then the z.
    keys({QStringLiteral("dead_circumflex"), QStringLiteral("e"), QStringLiteral("dead_diaeresis"),
          QStringLiteral("i"), QStringLiteral("a"), QStringLiteral("ISO_Level3_Shift+i"),
          QStringLiteral("dead_circumflex"), QStringLiteral("z")});
    QTRY_COMPARE(texte->RichEdit2->toPlainText(), QString::fromUtf8("êïa^z"));
    // The keypad Enter is an Enter to judge: this line is refused.
    const int errors = texte->errors();
    keys({QStringLiteral("KP_Enter")});
    QTRY_COMPARE(texte->errors(), errors + 1);
    QCOMPARE(texte->RichEdit2->document()->blockCount(), 1);
}

void TestX11Lessons::deadDiaeresisInTheGame()
{
    forms().MainForm->action(QStringLiteral("Mots1"))->trigger();
    TJeu *jeu = forms().Jeu;
    jeu->Button1->click();
    jeu->logic().setItem(1, QString::fromUtf8("Aïe"));
    for (int i = 2; i <= 5; ++i)
        jeu->logic().setItem(i, QStringLiteral("Bon")); // no other word holds the letter
    jeu->setFocus();
    QTRY_VERIFY(jeu->hasFocus());
    keys({QStringLiteral("dead_diaeresis"), QStringLiteral("i")});
    QTRY_COMPARE(jeu->logic().item(1), QStringLiteral("Ae"));
    QCOMPARE(jeu->logic().good(), 1);
}

QTEST_MAIN(TestX11Lessons)
#include "tst_x11_lessons.moc"
