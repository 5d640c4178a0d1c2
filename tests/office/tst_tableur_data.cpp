// Every spreadsheet lesson's model cells, as the window shows them, against
// the literal lists of the lessons.
#include "office/stringgrid.h"
#include "office/ttableur.h"
#include "office_expected.h"

#include <QFontMetrics>
#include <QtTest>

using office::GridCell;

namespace {

GridCell cellNamed(const QString &name)
{
    return {name.at(0).unicode() - 'A' + 1, name.mid(1).toInt()};
}

} // namespace

class TestTableurData : public QObject
{
    Q_OBJECT
private slots:
    void lessonCells_data();
    void lessonCells();
    void unknownCodeLeavesGridsEmpty();
    void headings();
    void notableTexts();
};

void TestTableurData::lessonCells_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("1 Bases") << 1;
    QTest::newRow("2 Budget") << 2;
    QTest::newRow("3 Repert") << 3;
    QTest::newRow("4 Tarifs") << 4;
}

void TestTableurData::lessonCells()
{
    QFETCH(int, code);
    TTableur w;
    w.SetIni(code);
    QString expected[10][10];
    for (const auto &cell : expected::gridCells(code)) {
        const GridCell at = cellNamed(cell.first);
        expected[at.col][at.row] = cell.second;
    }
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const QString where = QStringLiteral("%1%2").arg(QChar('A' + c - 1)).arg(r);
            QVERIFY2(w.StringGrid1()->cell({c, r}) == expected[c][r], qPrintable(where));
            QVERIFY2(w.StringGrid2()->cell({c, r}).isEmpty(), qPrintable(where));
        }
    }
    QCOMPARE(w.GetIni(), code);
    QCOMPARE(w.StringGrid2()->current(), (GridCell{1, 1}));
}

void TestTableurData::unknownCodeLeavesGridsEmpty()
{
    TTableur w;
    w.SetIni(2);
    w.SetIni(7);
    QCOMPARE(w.GetIni(), 7);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            QVERIFY(w.StringGrid1()->cell({c, r}).isEmpty() && w.StringGrid2()->cell({c, r}).isEmpty());
    w.SetIni(0);
    QCOMPARE(w.GetIni(), 0);
}

void TestTableurData::headings()
{
    TTableur w;
    const QFontMetrics metrics(w.font());
    for (office::StringGrid *grid : {w.StringGrid1(), w.StringGrid2()}) {
        for (int c = 1; c <= 9; ++c) {
            const QString heading = grid->cell({c, 0});
            QCOMPARE(heading.trimmed(), QString(QChar('A' + c - 1)));
            // Pushed right until just wider than 32 pixels.
            QVERIFY(metrics.horizontalAdvance(heading) > 32);
            QVERIFY(metrics.horizontalAdvance(heading.mid(1)) <= 32);
        }
        for (int r = 1; r <= 9; ++r)
            QCOMPARE(grid->cell({0, r}), QString::number(r));
        QCOMPARE(grid->columnCount(), 9);
        QCOMPARE(grid->rowCount(), 9);
    }
}

// The texts that are easiest to get wrong, written out by hand.
void TestTableurData::notableTexts()
{
    TTableur w;
    w.SetIni(4);
    QCOMPARE(w.StringGrid1()->cell({2, 2}), QStringLiteral("A4 - 80g"));
    QCOMPARE(w.StringGrid1()->cell({3, 2}), QStringLiteral("A3 - 80 g"));
    QCOMPARE(w.StringGrid1()->cell({2, 3}), QStringLiteral("1,00"));
    QCOMPARE(w.StringGrid1()->cell({1, 3}), QString::fromUtf8("1 \xc3\xa0 20"));
    w.SetIni(2);
    QCOMPARE(w.StringGrid1()->cell({8, 6}), QString());
    QCOMPARE(w.StringGrid1()->cell({8, 5}), QStringLiteral("2850"));
}

QTEST_MAIN(TestTableurData)
#include "tst_tableur_data.moc"
