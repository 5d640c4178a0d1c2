// Spreadsheet judging as sequences of key events, without the grids.
#include "office/gridjudge.h"
#include "ui/keycodes.h"

#include <QtTest>

using office::GridCell;
using office::GridJudge;

namespace {

// One key event of the typing grid: the key, the cell current when the
// event arrives, what is typed there and the model's text there.
struct KeyEvent
{
    int vk;
    GridCell at;
    QString typed;
    QString model;
};

} // namespace

Q_DECLARE_METATYPE(KeyEvent)
Q_DECLARE_METATYPE(QList<KeyEvent>)
Q_DECLARE_METATYPE(GridCell)

class TestTableurJudge : public QObject
{
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void newLessonStartsOnA1WithMovesAllowed();
    void bufferOperations();
    void headingCellsAreNotDataCells();
};

void TestTableurJudge::sequences_data()
{
    QTest::addColumn<QList<KeyEvent>>("events");
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("moveAllowed");
    QTest::addColumn<GridCell>("recorded");

    const QString bases = QStringLiteral("Bases");
    const GridCell d1{4, 1}, e1{5, 1};
    using namespace ui::vk;

    // Tab on a right D1: judged on the press; the release comes from the
    // empty E1 the learner moved to.
    QTest::newRow("right cell then Tab")
        << QList<KeyEvent>{{Tab, d1, bases, bases}, {Tab, e1, {}, {}}} << 5 << 0 << true << e1;
    // A wrong cell keeps the learner there, so the release judges it again.
    QTest::newRow("wrong case counts twice") << QList<KeyEvent>{{Tab, d1, QStringLiteral("bases"), bases},
                                                                {Tab, d1, QStringLiteral("bases"), bases}}
                                             << 0 << 2 << false << d1;
    QTest::newRow("Tab in an empty cell")
        << QList<KeyEvent>{{Tab, d1, {}, bases}, {Tab, e1, {}, {}}} << 0 << 0 << true << e1;
    // Left inside a right cell that stays current: press and release judge it.
    QTest::newRow("Left in a right cell")
        << QList<KeyEvent>{{Left, d1, bases, bases}, {Left, d1, bases, bases}} << 10 << 0 << true << d1;
    QTest::newRow("each arrow judges")
        << QList<KeyEvent>{{Up, d1, bases, bases}, {Down, d1, bases, bases}, {Right, d1, bases, bases}} << 15
        << 0 << true << d1;
    QTest::newRow("Enter does not judge")
        << QList<KeyEvent>{{Return, d1, QStringLiteral("x"), bases}} << 0 << 0 << true << d1;
    QTest::newRow("letters do not judge")
        << QList<KeyEvent>{{'B', d1, QStringLiteral("B"), bases}} << 0 << 0 << true << d1;
    // Budget's H6 is empty: anything typed there is wrong.
    QTest::newRow("text in an empty model cell") << QList<KeyEvent>{{Tab, {8, 6}, QStringLiteral("5800"), {}},
                                                                    {Tab, {8, 6}, QStringLiteral("5800"), {}}}
                                                 << 0 << 2 << false << GridCell{8, 6};
    // Any later key allows the move again, without judging.
    QTest::newRow("a key after a mismatch allows moves")
        << QList<KeyEvent>{{Tab, d1, QStringLiteral("bases"), bases},
                           {Shift, d1, QStringLiteral("bases"), bases}}
        << 0 << 1 << true << d1;
    QTest::newRow("accents count")
        << QList<KeyEvent>{{Tab, {2, 3}, QStringLiteral("Fleche"), QString::fromUtf8("Flèche")}} << 0 << 1
        << false << GridCell{2, 3};
    QTest::newRow("spaces count")
        << QList<KeyEvent>{{Tab, {3, 2}, QStringLiteral("A3 - 80g"), QStringLiteral("A3 - 80 g")}} << 0 << 1
        << false << GridCell{3, 2};
    QTest::newRow("length in characters")
        << QList<KeyEvent>{{Tab, {4, 3}, QString::fromUtf8("Précédente"), QString::fromUtf8("Précédente")}}
        << 10 << 0 << true << GridCell{4, 3};
    QTest::newRow("a right cell after a wrong one")
        << QList<KeyEvent>{{Tab, d1, QStringLiteral("bases"), bases}, {Tab, d1, bases, bases}} << 5 << 1
        << true << d1;
}

void TestTableurJudge::sequences()
{
    QFETCH(QList<KeyEvent>, events);
    GridJudge judge;
    judge.startLesson();
    for (const KeyEvent &e : events)
        judge.keyEvent(e.vk, e.at, e.typed, e.model);
    QTEST(int(judge.good()), "good");
    QTEST(int(judge.errors()), "errors");
    QTEST(judge.moveAllowed(), "moveAllowed");
    QTEST(judge.recorded(), "recorded");
}

void TestTableurJudge::newLessonStartsOnA1WithMovesAllowed()
{
    GridJudge judge;
    judge.startLesson();
    judge.copy(QStringLiteral("Tab"));
    judge.keyEvent(ui::vk::Tab, {4, 1}, QStringLiteral("Bases"), QStringLiteral("Bases"));
    judge.keyEvent(ui::vk::Tab, {5, 1}, QStringLiteral("x"), QString());
    QVERIFY(!judge.moveAllowed());
    judge.startLesson();
    QCOMPARE(judge.good(), 0);
    QCOMPARE(judge.errors(), 0);
    QVERIFY(judge.moveAllowed());
    QCOMPARE(judge.recorded(), (GridCell{1, 1}));
    QCOMPARE(judge.buffer(), QStringLiteral("Tab"));
}

void TestTableurJudge::bufferOperations()
{
    GridJudge judge;
    QCOMPARE(judge.paste(), QString()); // nothing copied yet: pasting empties
    judge.copy(QStringLiteral("Cellule"));
    QCOMPARE(judge.paste(), QStringLiteral("Cellule"));
    QCOMPARE(judge.cut(QStringLiteral("Haut")), QString());
    QCOMPARE(judge.paste(), QStringLiteral("Haut"));
    judge.copy(QString());
    QCOMPARE(judge.paste(), QString());
}

void TestTableurJudge::headingCellsAreNotDataCells()
{
    QVERIFY(!GridJudge::isDataCell({1, 0}));
    QVERIFY(!GridJudge::isDataCell({0, 1}));
    QVERIFY(!GridJudge::isDataCell({10, 1}));
    QVERIFY(GridJudge::isDataCell({1, 1}));
    QVERIFY(GridJudge::isDataCell({9, 9}));
}

QTEST_GUILESS_MAIN(TestTableurJudge)
#include "tst_tableur_judge.moc"
