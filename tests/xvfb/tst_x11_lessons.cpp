// Real X key events with the French layout reach the text lesson and the
// game: dead-key accents and the keypad Enter. Choosing a lesson puts the
// keys in the window in front; a minimise and restore keeps the lesson.
#include "app/forms.h"
#include "app/lesson/tstats.h"
#include "app/tmainform.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/tcaract.h"
#include "office/stringgrid.h"
#include "office/ttableur.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
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
    void chosenLessonHoldsTheKeys_data();
    void chosenLessonHoldsTheKeys();
    void minimiseAndRestoreKeepTheLesson();

private:
    static void keys(const QStringList &names);
    static bool windowManagerRuns();
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
    texte->RichEdit2()->setFocus();
    QTRY_VERIFY(texte->RichEdit2()->hasFocus());
    // AltGr+i ("→") is outside Windows-1252 and not typed; ẑ neither: the
    // circumflex, then the z.
    keys({QStringLiteral("dead_circumflex"), QStringLiteral("e"), QStringLiteral("dead_diaeresis"),
          QStringLiteral("i"), QStringLiteral("a"), QStringLiteral("ISO_Level3_Shift+i"),
          QStringLiteral("dead_circumflex"), QStringLiteral("z")});
    QTRY_COMPARE(texte->RichEdit2()->toPlainText(), QString::fromUtf8("êïa^z"));
    // The keypad Enter is an Enter to judge: this line is refused.
    const int errors = texte->errors();
    keys({QStringLiteral("KP_Enter")});
    QTRY_COMPARE(texte->errors(), errors + 1);
    QCOMPARE(texte->RichEdit2()->document()->blockCount(), 1);
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

bool TestX11Lessons::windowManagerRuns()
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-events")});
    return xwininfo.waitForFinished(5000) &&
           xwininfo.readAllStandardOutput().contains("SubstructureRedirect");
}

void TestX11Lessons::chosenLessonHoldsTheKeys_data()
{
    QTest::addColumn<int>("before"); // the window in front first
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("module"); // the window expected in front
    for (int m = 1; m <= 6; ++m)
        QTest::addRow("open %d, already in front", m) << m << "open" << m;
    QTest::newRow("open the exercises from the text") << 4 << "open" << 2;
    QTest::newRow("new lesson answered Non") << 2 << "new" << 1;
    QTest::newRow("menu item") << 3 << "N3zq1" << 2;
    QTest::newRow("toolbar after a new lesson") << 2 << "back" << 2;
}

void TestX11Lessons::chosenLessonHoldsTheKeys()
{
    QFETCH(int, before);
    QFETCH(QString, command);
    QFETCH(int, module);
    TMainForm *frame = forms().MainForm;
    frame->showLesson(frame->lessonOfModule(before));
    if (before == 2) {
        forms().Exos->Edit4()->setFocus(); // the learner went on to line 2
        QTRY_VERIFY(forms().Exos->Edit4()->hasFocus());
    }
    QWidget dialog; // as the file dialog and the question box, it takes the activation for a while
    if (command == QLatin1String("open") || command == QLatin1String("new")) {
        dialog.show();
        dialog.activateWindow();
        QTRY_VERIFY(dialog.isActiveWindow());
    }
    if (command == QLatin1String("open")) {
        QFile file(m_cwd->file(QStringLiteral("l.tpx")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(module) + "\r\n0\r\n" + QByteArray("1\r\n").repeated(13));
        file.close();
        m_prompts->fake().openNames << file.fileName();
        frame->OpenItemClick();
    } else if (command == QLatin1String("new")) {
        frame->lessonFileName = m_cwd->file(QStringLiteral("l.tpx"));
        m_prompts->fake().answers << ui::Prompter::Answer::No;
        frame->Nouvelleleon1Click();
    } else if (command == QLatin1String("back")) {
        frame->showLesson(forms().Phrases);
        frame->Nouvelleleon1Click();
        frame->SpeedButton2Click();
    } else {
        frame->action(command)->trigger();
    }
    if (dialog.isVisible()) {
        dialog.close();
        frame->activateWindow();
    }
    LessonWindow *w = frame->lessonOfModule(module);
    // The keyboard window and the game keep the focus themselves.
    QWidget *const entries[] = {nullptr,
                                nullptr,
                                forms().Exos->Edit2(),
                                forms().Phrases->Edit2(),
                                forms().Texte->RichEdit2(),
                                nullptr,
                                forms().Tableur->StringGrid2()->cellEditor()};
    QWidget *entry = entries[module];
    QMdiSubWindow *sub = frame->subWindowOf(w);
    if (entry)
        QTRY_COMPARE(QApplication::focusWidget(), entry);
    else
        QTRY_VERIFY(sub->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == sub);
    QCOMPARE(frame->activeLesson(), w);
    QCOMPARE(frame->mdiArea->subWindowList(QMdiArea::StackingOrder).constLast(), sub);
    QTRY_VERIFY(frame->isActiveWindow());
    if (module == 2) {
        // On line 1, its first character highlighted; the learner's key counts good.
        TExos *exos = forms().Exos;
        QCOMPARE(exos->Edit1()->selectionStart(), 0);
        QCOMPARE(exos->Edit1()->selectedText(), exos->Edit1()->text().left(1));
        QCOMPARE(exos->errors(), 0);
        keys({exos->Edit1()->text().left(1)});
        QTRY_COMPARE(exos->good(), 1);
        QCOMPARE(exos->errors(), 0);
    }
}

// The frame minimised and restored: the text lesson keeps its refused line,
// and stays the lesson that the frame's commands reach.
void TestX11Lessons::minimiseAndRestoreKeepTheLesson()
{
    TMainForm *frame = forms().MainForm;
    frame->action(QStringLiteral("Fonctionsdebase1"))->trigger();
    TTexte *texte = forms().Texte;
    QTRY_VERIFY(texte->RichEdit2()->hasFocus());
    keys({QStringLiteral("x"), QStringLiteral("Return")});
    QTRY_COMPARE(texte->errors(), 1);
    const bool wm = windowManagerRuns();
    frame->showMinimized();
    if (wm) // the window manager unmaps the frame; the children get spontaneous hide events
        QTRY_VERIFY(!texte->testAttribute(Qt::WA_Mapped));
    frame->showMaximized();
    QTRY_VERIFY(texte->testAttribute(Qt::WA_Mapped));
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(texte->errors(), 1);
    QCOMPARE(frame->activeLesson(), static_cast<LessonWindow *>(texte));
    QVERIFY(frame->action(QStringLiteral("Couper1"))->isEnabled());
    m_prompts->fake().modals.clear();
    frame->action(QStringLiteral("Bilan1"))->trigger();
    frame->action(QStringLiteral("Tabledescaractres1"))->trigger();
    QCOMPARE(m_prompts->fake().modals, (QList<QDialog *>{forms().Stats, forms().Caract}));
}

QTEST_MAIN(TestX11Lessons)
#include "tst_x11_lessons.moc"
