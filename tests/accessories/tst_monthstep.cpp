// Month stepping keeps the day number cut to the month's length; the grid
// starts on Sunday; the heading is month, two blanks, year.
#include "accessories/monthstep.h"

#include <QtTest>

class TestMonthStep : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void stepping_data();
    void stepping();
    void heading();
    void grid_data();
    void grid();
};

void TestMonthStep::stepping_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("months");
    QTest::addColumn<QDate>("to");
    QTest::newRow("31 January to end of February") << QDate(2023, 1, 31) << 1 << QDate(2023, 2, 28);
    QTest::newRow("then 28 March, not 31") << QDate(2023, 2, 28) << 1 << QDate(2023, 3, 28);
    QTest::newRow("leap year: 29 February") << QDate(2024, 1, 31) << 1 << QDate(2024, 2, 29);
    QTest::newRow("leap year: then 29 March") << QDate(2024, 2, 29) << 1 << QDate(2024, 3, 29);
    QTest::newRow("January back to December") << QDate(2024, 1, 15) << -1 << QDate(2023, 12, 15);
    QTest::newRow("December on to January") << QDate(2023, 12, 31) << 1 << QDate(2024, 1, 31);
    QTest::newRow("31 May back to 30 April") << QDate(2024, 5, 31) << -1 << QDate(2024, 4, 30);
}

void TestMonthStep::stepping()
{
    QFETCH(QDate, from);
    QFETCH(int, months);
    QFETCH(QDate, to);
    QCOMPARE(MonthStep::shifted(from, months), to);
    QCOMPARE(months > 0 ? MonthStep::next(from) : MonthStep::previous(from), to);
}

void TestMonthStep::heading()
{
    QCOMPARE(MonthStep::heading(QDate(2024, 8, 15)), QStringLiteral("août  2024"));
    QCOMPARE(MonthStep::heading(QDate(2023, 12, 1)), QStringLiteral("décembre  2023"));
}

void TestMonthStep::grid_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    // September 2024 begins on a Sunday, March 2024 on a Friday.
    QTest::newRow("1 September 2024") << QDate(2024, 9, 1) << 0 << 0;
    QTest::newRow("30 September 2024") << QDate(2024, 9, 30) << 4 << 1;
    QTest::newRow("1 March 2024") << QDate(2024, 3, 1) << 0 << 5;
    QTest::newRow("31 March 2024 in the sixth row") << QDate(2024, 3, 31) << 5 << 0;
}

void TestMonthStep::grid()
{
    QFETCH(QDate, date);
    QFETCH(int, row);
    QFETCH(int, column);
    QCOMPARE(MonthStep::rowOf(date), row);
    QCOMPARE(MonthStep::columnOf(date), column);
    QCOMPARE(MonthStep::dayAt(date, row, column), date.day());
    // Cells before the 1st and after the last day stay empty.
    QCOMPARE(MonthStep::dayAt(date, 0, MonthStep::columnOf(QDate(date.year(), date.month(), 1)) - 1), 0);
    QCOMPARE(MonthStep::dayAt(date, 5, 6), 0);
}

QTEST_GUILESS_MAIN(TestMonthStep)
#include "tst_monthstep.moc"
