// The spreadsheet window under real key and mouse events.
#include "app/forms.h"
#include "app/lesson/tstats.h"
#include "app/tmainform.h"
#include "office/stringgrid.h"
#include "office/ttableur.h"
#include "support/testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QtTest>

using office::GridCell;

namespace {

QLineEdit *editor(TTableur &w)
{
    return w.StringGrid2()->cellEditor();
}

// Press and release as the learner does: the release reaches the editor
// of the cell that is current after the press.
void key(TTableur &w, Qt::Key k, Qt::KeyboardModifiers mods = {})
{
    QTest::keyPress(editor(w), k, mods);
    QTest::keyRelease(editor(w), k, mods);
}

void type(TTableur &w, const QString &text)
{
    QTest::keyClicks(editor(w), text);
}

void click(TTableur &w, GridCell at)
{
    const QModelIndex index = w.StringGrid2()->model()->index(at.row - 1, at.col - 1);
    QTest::mouseClick(w.StringGrid2()->viewport(), Qt::LeftButton, {},
                      w.StringGrid2()->visualRect(index).center());
}

// From A1 to D1 over empty cells.
void goToD1(TTableur &w)
{
    for (int i = 0; i < 3; ++i)
        key(w, Qt::Key_Tab);
}

} // namespace

class TestTableurWindow : public QObject
{
    Q_OBJECT
private slots:
    void widgets();
    void rightAlignedHeadings_data();
    void rightAlignedHeadings();
    void tabOutOfCells_data();
    void tabOutOfCells();
    void leftInsideRightCellJudgesTwice();
    void arrowsLeaveFromTheEdgeOfTheText();
    void homeAndEndGoToTheEndsOfTheRow();
    void modelTextsShowWhole();
    void clickRefusedAfterMismatchUntilAKey();
    void budgetH6IsEmpty();
    void enterNeitherJudgesNorMoves();
    void pasteWithEmptyBufferEmptiesCell();
    void ctrlKeysUseTheCellBuffer();
    void sameLessonAgainRestarts();
    void newLessonAfterMismatchStartsOnA1();
    void modelFollowsLearner();
    void frameCommandsReachTheSheet();
};

// Padding on the left stops at the first space that makes the text wider
// than width - 10 pixels, as adding one space at a time would.
void TestTableurWindow::rightAlignedHeadings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("column heading") << "A" << 42;
    QTest::newRow("wide letter") << "W" << 42;
    QTest::newRow("narrow letter") << "I" << 42;
    QTest::newRow("empty") << "" << 42;
    QTest::newRow("wider than the width") << "ABCDEFGHIJ" << 42;
    QTest::newRow("no room") << "A" << 0;
    QTest::newRow("many spaces") << "9" << 400;
    QTest::newRow("past the bound") << "" << 5000;
}

void TestTableurWindow::rightAlignedHeadings()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    TTableur w;
    const QFontMetrics metrics(w.font());
    QString expected = text;
    for (int i = 0; i < 200 && metrics.horizontalAdvance(expected) <= width - 10; ++i)
        expected.prepend(QLatin1Char(' '));
    QCOMPARE(w.Rset(text, width), expected);
}

void TestTableurWindow::widgets()
{
    TTableur w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Tableur"));
    QVERIFY(w.Edit1()->isReadOnly());
    QVERIFY(!w.Edit2()->isReadOnly());
    QCOMPARE(w.StringGrid1()->geometry(), QRect(0, 24, 665, 145));
    QCOMPARE(w.StringGrid2()->geometry(), QRect(0, 200, 665, 145));
    QCOMPARE(w.Edit2()->geometry(), QRect(0, 176, 265, 24));
    QCOMPARE(w.StringGrid2()->columnWidth(0), 64);
    QCOMPARE(w.findChild<office::StringGrid *>(QStringLiteral("StringGrid2")), w.StringGrid2());
    QVERIFY(!w.Timer1->isActive()); // stopped until the learner starts it
    w.SetIni(1);
    QVERIFY(editor(w));
    QCOMPARE(w.StringGrid2()->indexWidget(w.StringGrid2()->currentIndex()), editor(w));
}

void TestTableurWindow::tabOutOfCells_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<GridCell>("current");
    QTest::newRow("right") << QStringLiteral("Bases") << 5 << 0 << GridCell{5, 1};
    QTest::newRow("wrong case") << QStringLiteral("bases") << 0 << 2 << GridCell{4, 1};
    QTest::newRow("trailing space") << QStringLiteral("Bases ") << 0 << 2 << GridCell{4, 1};
    QTest::newRow("empty") << QString() << 0 << 0 << GridCell{5, 1};
}

void TestTableurWindow::tabOutOfCells()
{
    QFETCH(QString, typed);
    TTableur w;
    w.SetIni(1);
    goToD1(w);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{4, 1}));
    type(w, typed);
    QCOMPARE(w.StringGrid2()->cell({4, 1}), typed); // the cell follows the editor
    key(w, Qt::Key_Tab);
    QTEST(int(w.good()), "good");
    QTEST(int(w.errors()), "errors");
    QTEST(int(w.session().current().good), "good"); // the session counts the same
    QTEST(int(w.session().current().errors), "errors");
    QTEST(w.StringGrid2()->current(), "current");
    QCOMPARE(w.StringGrid2()->cell({4, 1}), typed);
}

void TestTableurWindow::leftInsideRightCellJudgesTwice()
{
    TTableur w;
    w.SetIni(1);
    goToD1(w);
    type(w, QStringLiteral("Bases"));
    key(w, Qt::Key_Left); // the caret moves inside the text; D1 stays current
    QCOMPARE(w.StringGrid2()->current(), (GridCell{4, 1}));
    QCOMPARE(w.good(), 10);
    QCOMPARE(editor(w)->cursorPosition(), 4);
}

void TestTableurWindow::arrowsLeaveFromTheEdgeOfTheText()
{
    TTableur w;
    w.SetIni(1);
    goToD1(w);
    type(w, QStringLiteral("Bases"));
    key(w, Qt::Key_Right); // the caret is at the end: Right leaves the cell
    QCOMPARE(w.StringGrid2()->current(), (GridCell{5, 1}));
    QCOMPARE(w.good(), 5);
    // Shift+Tab is Tab: back in D1, whose text is selected, the release
    // judges it again.
    key(w, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{4, 1}));
    QCOMPARE(editor(w)->selectedText(), QStringLiteral("Bases"));
    QCOMPARE(w.good(), 10);
    key(w, Qt::Key_Left); // the whole text selected: Left leaves too
    QCOMPARE(w.StringGrid2()->current(), (GridCell{3, 1}));
    QCOMPARE(w.good(), 15);
    key(w, Qt::Key_Left);
    key(w, Qt::Key_Left);
    key(w, Qt::Key_Left); // no column before A
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 1}));
    key(w, Qt::Key_Backtab, Qt::ShiftModifier); // nor a cell before A1
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 1}));
    QVERIFY(w.StringGrid2()->moveTo({9, 1}));
    key(w, Qt::Key_Tab); // the last column goes on at the next row
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 2}));
}

void TestTableurWindow::homeAndEndGoToTheEndsOfTheRow()
{
    TTableur w;
    w.SetIni(1);
    goToD1(w);
    key(w, Qt::Key_End); // an empty cell: straight to the row's last cell
    QCOMPARE(w.StringGrid2()->current(), (GridCell{9, 1}));
    key(w, Qt::Key_Home);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 1}));
    goToD1(w);
    type(w, QStringLiteral("bases"));
    key(w, Qt::Key_Home); // inside the text the caret moves; judged as Left is
    QCOMPARE(w.StringGrid2()->current(), (GridCell{4, 1}));
    QCOMPARE(editor(w)->cursorPosition(), 0);
    QCOMPARE(w.errors(), 2);
    key(w, Qt::Key_Home); // from the start: a move, refused for the wrong text
    QCOMPARE(w.StringGrid2()->current(), (GridCell{4, 1}));
    QCOMPARE(w.errors(), 4);
    editor(w)->setText(QStringLiteral("Bases"));
    key(w, Qt::Key_End); // the caret at the end: a move, and the cell counts
    QCOMPARE(w.StringGrid2()->current(), (GridCell{9, 1}));
    QCOMPARE(w.good(), 5);
}

// Every model text fits its 64-pixel column (a smaller font where needed).
void TestTableurWindow::modelTextsShowWhole()
{
    TTableur w;
    for (int code = 1; code <= 4; ++code) {
        w.SetIni(code);
        for (int r = 0; r < w.StringGrid1()->rowCount(); ++r) {
            for (int c = 0; c < w.StringGrid1()->columnCount(); ++c) {
                const QTableWidgetItem *item = w.StringGrid1()->item(r, c);
                const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : w.StringGrid1()->font();
                const int room = w.StringGrid1()->visualItemRect(item).width() - 6;
                QVERIFY2(QFontMetrics(font).horizontalAdvance(item->text()) <= room,
                         qPrintable(item->text()));
                QVERIFY(font.pixelSize() >= 9);
            }
        }
    }
    QCOMPARE(w.StringGrid1()->columnWidth(1), 64);
}

void TestTableurWindow::clickRefusedAfterMismatchUntilAKey()
{
    TTableur w;
    w.SetIni(1);
    goToD1(w);
    type(w, QStringLiteral("bases"));
    key(w, Qt::Key_Tab);
    click(w, {2, 3});
    QCOMPARE(w.StringGrid2()->current(), (GridCell{4, 1}));
    QCOMPARE(w.errors(), 2);
    key(w, Qt::Key_Shift);
    click(w, {2, 3});
    QCOMPARE(w.StringGrid2()->current(), (GridCell{2, 3}));
    QCOMPARE(w.errors(), 2);
    // The entry bar shows the cell that was left.
    QCOMPARE(w.Edit2()->text(), QStringLiteral("bases"));
}

void TestTableurWindow::budgetH6IsEmpty()
{
    TTableur w;
    w.SetIni(2);
    QVERIFY(w.StringGrid2()->moveTo({8, 6}));
    type(w, QStringLiteral("5800"));
    key(w, Qt::Key_Tab);
    QCOMPARE(w.errors(), 2);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{8, 6}));
}

void TestTableurWindow::enterNeitherJudgesNorMoves()
{
    TTableur w;
    w.SetIni(1);
    type(w, QStringLiteral("x"));
    key(w, Qt::Key_Return);
    QCOMPARE(w.errors(), 0);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 1}));
    QVERIFY(editor(w));
    QCOMPARE(editor(w)->text(), QStringLiteral("x"));
}

void TestTableurWindow::pasteWithEmptyBufferEmptiesCell()
{
    TTableur w;
    w.SetIni(1);
    type(w, QStringLiteral("Touche"));
    w.Coller();
    QCOMPARE(w.StringGrid2()->cell({1, 1}), QString());
    QCOMPARE(editor(w)->text(), QString());
    QCOMPARE(w.good(), 0);
    QCOMPARE(w.errors(), 0);
}

void TestTableurWindow::ctrlKeysUseTheCellBuffer()
{
    TTableur w;
    w.SetIni(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("presse"));
    type(w, QStringLiteral("Touche"));
    key(w, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(w.judge().buffer(), QStringLiteral("Touche"));
    click(w, {1, 2});
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 2}));
    key(w, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.StringGrid2()->cell({1, 2}), QStringLiteral("Touche"));
    QCOMPARE(editor(w)->text(), QStringLiteral("Touche"));
    key(w, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(w.StringGrid2()->cell({1, 2}), QString());
    QCOMPARE(w.judge().buffer(), QStringLiteral("Touche"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("presse"));
    QCOMPARE(w.good(), 0);
    QCOMPARE(w.errors(), 0);
}

void TestTableurWindow::sameLessonAgainRestarts()
{
    TTableur w;
    w.SetIni(1);
    goToD1(w);
    type(w, QStringLiteral("Bases"));
    w.Copier();
    key(w, Qt::Key_Tab);
    type(w, QStringLiteral("x"));
    key(w, Qt::Key_Tab);
    QCOMPARE(w.good(), 5);
    QCOMPARE(w.errors(), 2);
    w.SetIni(1);
    QCOMPARE(w.good(), 0);
    QCOMPARE(w.errors(), 0);
    QCOMPARE(w.StringGrid2()->cell({4, 1}), QString());
    QCOMPARE(w.StringGrid2()->cell({5, 1}), QString());
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 1}));
    w.Coller(); // the buffer outlives the lesson
    QCOMPARE(w.StringGrid2()->cell({1, 1}), QStringLiteral("Bases"));
}

void TestTableurWindow::newLessonAfterMismatchStartsOnA1()
{
    TTableur w;
    w.SetIni(1);
    goToD1(w);
    type(w, QStringLiteral("bases"));
    key(w, Qt::Key_Tab);
    w.SetIni(2);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 1}));
    QCOMPARE(w.judge().recorded(), (GridCell{1, 1}));
    key(w, Qt::Key_Tab);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{2, 1}));
}

void TestTableurWindow::modelFollowsLearner()
{
    TTableur w;
    w.SetIni(1);
    key(w, Qt::Key_Down);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 2}));
    QCOMPARE(w.StringGrid1()->current(), (GridCell{1, 2}));
    QCOMPARE(w.Edit1()->text(), QStringLiteral("Touche"));
    key(w, Qt::Key_Tab);
    QCOMPARE(w.StringGrid1()->current(), (GridCell{2, 2}));
    QCOMPARE(w.Edit1()->text(), QStringLiteral("Tab"));
}

void TestTableurWindow::frameCommandsReachTheSheet()
{
    test::TempCwd cwd;
    test::PrompterScope prompter;
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    TTableur *w = forms().Tableur;
    frame->action(QStringLiteral("Budget1"))->trigger();
    QCOMPARE(frame->activeLesson(), w);
    QCOMPARE(w->GetIni(), 2);
    QVERIFY(frame->action(QStringLiteral("Copier1"))->isEnabled());
    key(*w, Qt::Key_Down);
    key(*w, Qt::Key_Down);
    type(*w, QStringLiteral("Courses"));
    key(*w, Qt::Key_Down);
    QCOMPARE(w->good(), 7);
    key(*w, Qt::Key_Up); // the release judges the right A3 it came back to
    QCOMPARE(w->good(), 14);
    frame->action(QStringLiteral("Copier1"))->trigger();
    QCOMPARE(w->judge().buffer(), QStringLiteral("Courses"));
    frame->action(QStringLiteral("Couper1"))->trigger();
    QCOMPARE(w->StringGrid2()->cell({1, 3}), QString());
    frame->action(QStringLiteral("Coller1"))->trigger();
    QCOMPARE(w->StringGrid2()->cell({1, 3}), QStringLiteral("Courses"));
    frame->action(QStringLiteral("Bilan1"))->trigger();
    QCOMPARE(prompter.fake().modals.size(), 1);
    QCOMPARE(forms().Stats->Edit1()->text(), QStringLiteral("14"));
    test::stopProgram();
}

QTEST_MAIN(TestTableurWindow)
#include "tst_tableur_window.moc"
