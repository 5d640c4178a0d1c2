// The exercise and phrase windows through their real widgets and key events.
#include "drills/exercisetexts.h"
#include "drills/phrasetexts.h"
#include "drills/texos.h"
#include "drills/tphrases.h"
#include "keymodel/keymodel.h"
#include "ui/clicklabel.h"
#include "ui/hooklineedit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

namespace {

const QString kZeroScore = QStringLiteral("Bon : 0     Erreurs : 0");

// Characters the French layout composes with a dead key arrive as an input
// method commit; every other character as a key press.
void typeChar(QChar ch)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    if (QStringLiteral("âêîôûäëïöüÂÊÎÔÛ").contains(ch)) {
        QInputMethodEvent commit;
        commit.setCommitString(QString(ch));
        QApplication::sendEvent(target, &commit);
    } else {
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

void typeText(const QString &text)
{
    for (QChar ch : text)
        typeChar(ch);
}

template <typename W> void showActive(W &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

int highlightStart(const QLineEdit *model)
{
    return model->hasSelectedText() ? model->selectionStart() : -1;
}

QString exerciseModel(int code, int line)
{
    return QString::fromUtf8(drills::exerciseText(code)->models[line]);
}

} // namespace

class TestExosWindow : public QObject
{
    Q_OBJECT
private slots:
    void setIniStartsExercise();
    void gThenX();
    void refusedKeys_data();
    void refusedKeys();
    void ctrlVNeverPastesEvenWithAShortcut();
    void commitOfSeveralCharactersJudgedOneByOne();
    void wholeExerciseTypedRight_data();
    void wholeExerciseTypedRight();
    void modelLineShowsTheCharacterToType();
    void standInAndPassedCharactersReachTheGuide();
    void reenteringLineKeepsCounts();
    void windowComingBackKeepsTheLine();
    void tabMovesBetweenTypingLines();
    void unknownCodeKeepsTexts_data();
    void unknownCodeKeepsTexts();
    void formShowForgetsErrorsOnly();
    void chronometer();
    void phrasesAtCreation();
    void phrasePageTurn();
    void proverbsByCode();
};

void TestExosWindow::setIniStartsExercise()
{
    TExos w;
    showActive(w);
    QVERIFY(w.chronometerRunning());
    w.SetIni(1);
    QCOMPARE(w.GetIni(), 1);
    QCOMPARE(w.Label1->text(), u"Touches g h. Index gauche, index droit"_qs);
    QCOMPARE(w.Label2->text(), kZeroScore);
    for (ui::HookLineEdit *t : {w.Edit2(), w.Edit4(), w.Edit6()})
        QCOMPARE(t->text(), QString());
    QCOMPARE(QApplication::focusWidget(), w.Edit2());
    QCOMPARE(w.Edit1()->selectedText(), u"g"_qs);
    QCOMPARE(highlightStart(w.Edit1()), 0);
    QVERIFY(!w.chronometerRunning());
    // Model lines are display only, and keep their highlight unfocused.
    QVERIFY(w.Edit1()->isReadOnly());
    QCOMPARE(w.Edit1()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w.Edit1()->palette().color(QPalette::Inactive, QPalette::Highlight),
             w.Edit1()->palette().color(QPalette::Active, QPalette::Highlight));
    QVERIFY(w.Edit2()->judgedInput());
}

void TestExosWindow::gThenX()
{
    TExos w;
    showActive(w);
    w.SetIni(1);
    QTest::keyClick(w.Edit2(), Qt::Key_G);
    QTest::keyClick(w.Edit2(), Qt::Key_X);
    QCOMPARE(w.Edit2()->text(), u"g"_qs);
    QCOMPARE(w.Label2->text(), u"Bon : 1     Erreurs : 1"_qs);
    QCOMPARE(highlightStart(w.Edit1()), 1);
    QCOMPARE(w.Edit1()->selectedText(), u"h"_qs);
}

void TestExosWindow::refusedKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("errors"); // keys that type no character are not judged
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << 1;
    QTest::newRow("enter") << int(Qt::Key_Return) << 0 << 1;
    QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << 1;
    QTest::newRow("ctrl v") << int(Qt::Key_V) << int(Qt::ControlModifier) << 1;
    QTest::newRow("ctrl x") << int(Qt::Key_X) << int(Qt::ControlModifier) << 1;
    QTest::newRow("ctrl c") << int(Qt::Key_C) << int(Qt::ControlModifier) << 1;
    QTest::newRow("ctrl z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << 1;
    QTest::newRow("ctrl shift z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier) << 1;
    QTest::newRow("shift insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << 0;
}

// Refused keys count as errors and never reach the line; nothing is pasted.
void TestExosWindow::refusedKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, errors);
    QApplication::clipboard()->setText(u"h hg gh"_qs);
    TExos w;
    showActive(w);
    w.SetIni(1);
    QTest::keyClicks(w.Edit2(), u"gh"_qs);
    QTest::keyClick(w.Edit2(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w.Edit2()->text(), u"gh"_qs);
    QCOMPARE(w.good(), 2);
    QCOMPARE(w.errors(), errors);
    QCOMPARE(w.Label2->text(), QStringLiteral("Bon : 2     Erreurs : %1").arg(errors));
    // A refused character composed by a dead key is not inserted either.
    QInputMethodEvent commit;
    commit.setCommitString(u"ê"_qs);
    QApplication::sendEvent(w.Edit2(), &commit);
    QCOMPARE(w.Edit2()->text(), u"gh"_qs);
    QCOMPARE(w.errors(), errors + 1);
}

void TestExosWindow::ctrlVNeverPastesEvenWithAShortcut()
{
    QApplication::clipboard()->setText(u"g"_qs);
    TExos w;
    QAction paste(&w);
    paste.setShortcut(QKeySequence::Paste);
    w.addAction(&paste);
    QSignalSpy triggered(&paste, &QAction::triggered);
    showActive(w);
    w.SetIni(1);
    QTest::keyClick(w.Edit2(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Edit2()->text(), QString());
    QCOMPARE(w.errors(), 1);
    QCOMPARE(triggered.count(), 0);
}

void TestExosWindow::commitOfSeveralCharactersJudgedOneByOne()
{
    TExos w;
    showActive(w);
    w.SetIni(10);
    QInputMethodEvent commit;
    commit.setCommitString(u"m^x mù"_qs);
    QApplication::sendEvent(w.Edit2(), &commit);
    QCOMPARE(w.Edit2()->text(), u"m^ mù"_qs);
    QCOMPARE(w.good(), 5);
    QCOMPARE(w.errors(), 1);
    QCOMPARE(highlightStart(w.Edit1()), 5);
}

void TestExosWindow::wholeExerciseTypedRight_data()
{
    QTest::addColumn<int>("code");
    for (int code = 1; code <= drills::ExerciseCount; ++code)
        QTest::addRow("exercise %d", code) << code;
}

// Typing every line right ends with good = every character, no error, each
// completed line handing the focus to the next typing line.
void TestExosWindow::wholeExerciseTypedRight()
{
    QFETCH(int, code);
    TExos w;
    showActive(w);
    w.SetIni(code);
    QSignalSpy completed(&w, &LessonWindow::lessonCompleted);
    int total = 0;
    const QLineEdit *typing[3] = {w.Edit2(), w.Edit4(), w.Edit6()};
    for (int line = 0; line < 3; ++line) {
        QCOMPARE(completed.count(), 0); // only the last line ends the exercise
        QCOMPARE(QApplication::focusWidget(), typing[line]);
        const QString model = exerciseModel(code, line);
        typeText(model);
        QCOMPARE(typing[line]->text(), model);
        total += int(model.size());
        QCOMPARE(w.errors(), 0);
        if (line < 2) {
            QCOMPARE(typing[line + 1]->text(), QString());
            QCOMPARE(highlightStart(w.modelLine(line + 1)), 0);
            QCOMPARE(highlightStart(w.modelLine(line)), -1);
        }
    }
    QCOMPARE(w.good(), total);
    QCOMPARE(w.errors(), 0);
    QCOMPARE(w.Label2->text(), QStringLiteral("Bon : %1     Erreurs : 0").arg(total));
    QCOMPARE(QApplication::focusWidget(), w.Edit6());
    QCOMPARE(completed.count(), 1);
    QCOMPARE(completed.first().first().toBool(), false);
}

// A model line longer than its box shows its highlighted character to type
// when its turn comes, and again when the learner comes back into its line,
// rather than staying scrolled past it.
void TestExosWindow::modelLineShowsTheCharacterToType()
{
    TExos w;
    showActive(w);
    w.SetIni(1);
    w.grab(); // paint: the boxes scroll to their caret
    // Where the text starts, from where its caret stands: not left of the box.
    const auto firstCharacterShown = [](const QLineEdit *model) {
        const int caret = model->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        return caret - model->fontMetrics().horizontalAdvance(model->text().left(model->cursorPosition())) >=
               0;
    };
    typeText(exerciseModel(1, 0));
    w.grab();
    QCOMPARE(highlightStart(w.Edit3()), 0);
    QVERIFY(firstCharacterShown(w.Edit3()));
    QTest::mouseClick(w.Edit2(), Qt::LeftButton);
    w.grab();
    QCOMPARE(highlightStart(w.Edit1()), 0);
    QVERIFY(firstCharacterShown(w.Edit1()));
}

// The guide hears of the stand-in under way (o of oe for œ) and of a
// character the layout lacks, which the drill writes into the line.
void TestExosWindow::standInAndPassedCharactersReachTheGuide()
{
    TExos w;
    showActive(w);
    w.SetIni(20); // « cœur sœur… », the French layout has no œ
    typeText(QStringLiteral("co"));
    QCOMPARE(w.Edit2()->text(), QStringLiteral("co"));
    QCOMPARE(w.guideExpected(), QStringLiteral("œ"));
    QCOMPARE(w.guideStandInTyped(), 1);
    typeText(QStringLiteral("e"));
    QCOMPARE(w.Edit2()->text(), QStringLiteral("cœ"));
    QCOMPARE(w.guideExpected(), QStringLiteral("u"));
    QCOMPARE(w.guideStandInTyped(), 0);
    QCOMPARE(w.Label2->text(), QStringLiteral("Bon : 2     Erreurs : 0"));

    keyboard::LiveKeyModel::instance().useLayout(QStringLiteral("us"));
    auto restore = qScopeGuard([] { keyboard::LiveKeyModel::instance().useLayout(QStringLiteral("fr")); });
    w.SetIni(19); // « É È À… », no accented capital on the American layout
    QCOMPARE(w.Edit2()->text(), QStringLiteral("É"));
    QCOMPARE(w.guidePassed(), QStringLiteral("É"));
    QCOMPARE(w.guideExpected(), QStringLiteral(" "));
    typeText(QStringLiteral(" "));
    QCOMPARE(w.Edit2()->text(), QStringLiteral("É È"));
    QCOMPARE(w.guidePassed(), QStringLiteral("È"));
    QCOMPARE(w.Label2->text(), QStringLiteral("Bon : 1     Erreurs : 0"));
}

void TestExosWindow::reenteringLineKeepsCounts()
{
    TExos w;
    showActive(w);
    w.SetIni(1);
    typeText(exerciseModel(1, 0));
    QCOMPARE(QApplication::focusWidget(), w.Edit4());
    QTest::keyClicks(w.Edit4(), u"qgx"_qs);
    QTest::mouseClick(w.Edit2(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w.Edit2());
    QCOMPARE(w.Edit2()->text(), QString());
    QCOMPARE(w.Edit4()->text(), u"qg"_qs);
    QCOMPARE(highlightStart(w.Edit1()), 0);
    QCOMPARE(highlightStart(w.Edit3()), -1);
    QCOMPARE(highlightStart(w.Edit5()), -1);
    QCOMPARE(w.good(), int(exerciseModel(1, 0).size()) + 2);
    QCOMPARE(w.errors(), 1);
    // A click inside the line already in use starts nothing again.
    QTest::keyClick(w.Edit2(), Qt::Key_G);
    QTest::mouseClick(w.Edit2(), Qt::LeftButton);
    QCOMPARE(w.Edit2()->text(), u"g"_qs);
}

// Coming back to the window (after a dialog, another window) is no entry
// into a line: the line in progress keeps its text.
void TestExosWindow::windowComingBackKeepsTheLine()
{
    TExos w;
    showActive(w);
    w.SetIni(1);
    QTest::keyClicks(w.Edit2(), u"gh"_qs);
    QWidget other;
    showActive(other);
    QCoreApplication::processEvents(); // the activation's deferred work
    QVERIFY(QApplication::focusWidget() != w.Edit2());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(QApplication::focusWidget(), w.Edit2());
    QCOMPARE(w.Edit2()->text(), u"gh"_qs);
    QCOMPARE(highlightStart(w.Edit1()), 2);
}

void TestExosWindow::tabMovesBetweenTypingLines()
{
    TExos w;
    showActive(w);
    w.SetIni(2);
    QTest::keyClick(w.Edit2(), Qt::Key_A);
    QTest::keyClick(w.Edit2(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.Edit4());
    QCOMPARE(highlightStart(w.Edit3()), 0);
    QCOMPARE(highlightStart(w.Edit1()), -1);
    QTest::keyClick(w.Edit4(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.Edit6());
    QCOMPARE(w.errors(), 0);
    QCOMPARE(w.good(), 1);
}

void TestExosWindow::unknownCodeKeepsTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("0") << 0;
    QTest::newRow("past the review") << TExos::kReviewCode + 1;
    QTest::newRow("negative") << -5;
}

void TestExosWindow::unknownCodeKeepsTexts()
{
    QFETCH(int, code);
    TExos w;
    showActive(w);
    w.SetIni(3);
    QTest::keyClicks(w.Edit2(), u"qzx"_qs);
    w.StaticText1Click();
    w.SetIni(code);
    QCOMPARE(w.GetIni(), code);
    QCOMPARE(w.Label1->text(), QString::fromUtf8(drills::exerciseText(3)->instruction));
    QCOMPARE(w.Edit1()->text(), exerciseModel(3, 0));
    QCOMPARE(w.Edit5()->text(), exerciseModel(3, 2));
    QCOMPARE(w.Edit2()->text(), QString());
    QCOMPARE(w.Label2->text(), kZeroScore);
    QCOMPARE(w.good(), 0);
    QCOMPARE(w.errors(), 0);
    QCOMPARE(highlightStart(w.Edit1()), 0);
    QVERIFY(!w.chronometerRunning());
}

void TestExosWindow::formShowForgetsErrorsOnly()
{
    TExos w;
    showActive(w);
    w.SetIni(1);
    QTest::keyClicks(w.Edit2(), u"gxx"_qs);
    w.FormShow();
    QCOMPARE(w.errors(), 0);
    QCOMPARE(w.good(), 1);
    QCOMPARE(w.Label2->text(), u"Bon : 1     Erreurs : 2"_qs);
    QTest::keyClick(w.Edit2(), Qt::Key_H);
    QCOMPARE(w.Label2->text(), u"Bon : 2     Erreurs : 0"_qs);
}

void TestExosWindow::chronometer()
{
    TExos w;
    w.SetIni(1);
    QTest::mouseClick(w.StaticText2, Qt::LeftButton);
    QVERIFY(w.chronometerRunning());
    QCOMPARE(w.StaticText2->text(), u"1"_qs);
    w.Timer1Timer();
    QCOMPARE(w.StaticText2->text(), u"0:1"_qs);
    // Another exercise stops it; the last time stays on display.
    w.SetIni(4);
    QVERIFY(!w.chronometerRunning());
    QCOMPARE(w.StaticText2->text(), u"0:1"_qs);
}

void TestExosWindow::phrasesAtCreation()
{
    TPhrases w;
    QCOMPARE(w.windowTitle(), u"Phrases"_qs);
    QCOMPARE(w.Label2->text(), u"Bon"_qs);
    QCOMPARE(w.Edit1()->text(), QString());
    QCOMPARE(w.Edit1()->height(), 27);
    QVERIFY(w.chronometerRunning());
    w.SetIni(1);
    QCOMPARE(w.Label1->text(), u"Maximes"_qs);
    QCOMPARE(w.Edit1()->text(), u"Un clavier AZERTY en vaut deux"_qs);
    QCOMPARE(w.Edit1()->selectedText(), u"U"_qs);
    QCOMPARE(w.Label2->text(), kZeroScore);
    QVERIFY(!w.chronometerRunning());
}

// Completing the third line turns the page: new phrases, focus back in the
// first typing line, the completing key counted but inserted nowhere.
void TestExosWindow::phrasePageTurn()
{
    TPhrases w;
    showActive(w);
    w.SetIni(5);
    QSignalSpy completed(&w, &LessonWindow::lessonCompleted);
    typeText(u"Les 7 mercenaires"_qs);
    QTest::keyClick(w.Edit4(), Qt::Key_X);
    typeText(u"Les 10 commandements"_qs);
    typeText(u"Tarzan, le Roi de la jungle"_qs);
    QCOMPARE(w.Label1->text(), u"Films"_qs);
    QCOMPARE(w.Edit1()->text(), u"L'aile ou la cuisse"_qs);
    QCOMPARE(w.Edit3()->text(), u"Un homme presque parfait"_qs);
    QCOMPARE(w.Edit5()->text(), u"La fureur de vivre"_qs);
    QCOMPARE(QApplication::focusWidget(), w.Edit2());
    for (ui::HookLineEdit *t : {w.Edit2(), w.Edit4(), w.Edit6()})
        QCOMPARE(t->text(), QString());
    QCOMPARE(highlightStart(w.Edit1()), 0);
    QCOMPARE(highlightStart(w.Edit5()), -1);
    QCOMPARE(w.good(), 17 + 20 + 27);
    QCOMPARE(w.errors(), 1);
    QCOMPARE(w.Label2->text(), u"Bon : 64     Erreurs : 1"_qs);
    QCOMPARE(completed.count(), 1);
    QCOMPARE(completed.first().first().toBool(), true); // the second page is in place
}

void TestExosWindow::proverbsByCode()
{
    TPhrases w;
    w.SetIni(3);
    w.SetIni(6);
    QCOMPARE(w.Label1->text(), u"Proverbes"_qs);
    QCOMPARE(w.Edit1()->text(), QString::fromUtf8(drills::phraseCategory(6)->pages[0].phrases[0]));
    w.SetIni(7);
    QCOMPARE(w.Label1->text(), u"Proverbes"_qs);
    QCOMPARE(w.Edit3()->text(), QString::fromUtf8(drills::phraseCategory(6)->pages[0].phrases[1]));
}

QTEST_MAIN(TestExosWindow)
#include "tst_exos_window.moc"
