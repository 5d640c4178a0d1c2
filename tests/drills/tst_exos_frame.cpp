// The exercise and phrase windows inside the running program: chosen from the
// menus, timed and counted through the frame's commands.
#include "app/forms.h"
#include "app/lesson/tstats.h"
#include "app/tmainform.h"
#include "drills/exercisetexts.h"
#include "drills/texos.h"
#include "drills/tphrases.h"
#include "support/testsupport.h"
#include "ui/clicklabel.h"
#include "ui/hooklineedit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

class TestExosFrame : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpLoadsExerciseOne();
    void menuChoosesExerciseAndCtrlVIsJudged();
    void chronometerAndStatistics();
    void phrasesMenu();

private:
    std::unique_ptr<test::PrompterScope> m_prompter;
    std::unique_ptr<test::TempCwd> m_cwd;
};

void TestExosFrame::init()
{
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    test::startProgram();
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
}

void TestExosFrame::cleanup()
{
    test::stopProgram();
    m_prompter.reset();
    m_cwd.reset();
}

void TestExosFrame::startUpLoadsExerciseOne()
{
    TExos *exos = forms().Exos;
    QCOMPARE(exos->GetIni(), 1);
    QCOMPARE(exos->Label1->text(), QString::fromUtf8(drills::exerciseText(1)->instruction));
    QCOMPARE(exos->Label2->text(), u"Bon : 0     Erreurs : 0"_qs);
    QVERIFY(!exos->chronometerRunning());
    QCOMPARE(forms().Phrases->Label1->text(), u"Maximes"_qs);
    QVERIFY(!forms().Phrases->chronometerRunning());
}

void TestExosFrame::menuChoosesExerciseAndCtrlVIsJudged()
{
    TMainForm *frame = forms().MainForm;
    TExos *exos = forms().Exos;
    frame->action(u"N3zq1"_qs)->trigger();
    QCOMPARE(frame->activeLesson(), static_cast<LessonWindow *>(exos));
    QCOMPARE(exos->Label1->text(), u"Touches z o. Annulaire gauche, annulaire droit"_qs);
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit2());
    QApplication::clipboard()->setText(u"z mo"_qs);
    QTest::keyClick(exos->Edit2(), Qt::Key_Q);
    QTest::keyClick(exos->Edit2(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(exos->Edit2(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(exos->Edit2()->text(), u"q"_qs);
    QCOMPARE(exos->Label2->text(), u"Bon : 1     Erreurs : 1"_qs);
    // Tab goes round the typing lines without leaving the window.
    QTest::keyClick(exos->Edit2(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), exos->Edit4());
    QTest::keyClick(exos->Edit4(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), exos->Edit6());
    QTest::keyClick(exos->Edit6(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), exos->Edit2());
    QCOMPARE(exos->Edit2()->text(), QString());
    QCOMPARE(exos->errors(), 1);
}

void TestExosFrame::chronometerAndStatistics()
{
    TMainForm *frame = forms().MainForm;
    TExos *exos = forms().Exos;
    frame->action(u"N1gh1"_qs)->trigger();
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit2());
    frame->action(u"Chronomtrer1"_qs)->trigger();
    QVERIFY(exos->chronometerRunning());
    QCOMPARE(exos->StaticText2->text(), u"1"_qs);
    exos->Timer1Timer();
    QTest::keyClicks(exos->Edit2(), u"ghx"_qs);

    test::FakePrompter &fake = m_prompter->fake();
    frame->toolButton(u"SpeedButton12"_qs)->click();
    QCOMPARE(fake.modals.size(), 1);
    QCOMPARE(fake.modals.first(), static_cast<QDialog *>(forms().Stats));
    QCOMPARE(forms().Stats->Edit1()->text(), u"3"_qs); // good 2 + errors 1
    QCOMPARE(forms().Stats->Edit2()->text(), u"1"_qs);
    QCOMPARE(forms().Stats->Edit5()->text(), u"0:2"_qs);
    // Asking for the statistics changes nothing of the lesson.
    QCOMPARE(exos->Edit2()->text(), u"gh"_qs);
}

void TestExosFrame::phrasesMenu()
{
    TMainForm *frame = forms().MainForm;
    TPhrases *phrases = forms().Phrases;
    frame->action(u"Films1"_qs)->trigger();
    QCOMPARE(frame->activeLesson(), static_cast<LessonWindow *>(phrases));
    QCOMPARE(phrases->GetIni(), 5);
    QCOMPARE(phrases->Label1->text(), u"Films"_qs);
    QCOMPARE(phrases->Edit1()->text(), u"Les 7 mercenaires"_qs);
    QTRY_COMPARE(QApplication::focusWidget(), phrases->Edit2());
    QTest::keyClicks(phrases->Edit2(), u"Lx"_qs);
    QCOMPARE(phrases->Label2->text(), u"Bon : 1     Erreurs : 1"_qs);
    frame->action(u"Chronomtrer1"_qs)->trigger();
    QVERIFY(phrases->chronometerRunning());
    QVERIFY(!forms().Exos->chronometerRunning());
}

QTEST_MAIN(TestExosFrame)
#include "tst_exos_frame.moc"
