// Clock field stepping: bounds without wrap, leading zeros, the fields read
// for setting the clock.
#include "accessories/clockfields.h"

#include <QtTest>

Q_DECLARE_METATYPE(ClockField)

class TestClockFields : public QObject
{
    Q_OBJECT
private slots:
    void step_data();
    void step();
    void readsEveryField();
    void badFieldGivesIntegerError();
};

void TestClockFields::step_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ClockField>("field");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("stepped");

    const auto H = ClockField::Hour, M = ClockField::Minute, D = ClockField::Day, Mo = ClockField::Month,
               Y = ClockField::Year;
    QTest::newRow("hour up") << "09:05:07" << H << 1 << "10:05:07";
    QTest::newRow("hour 23 stays") << "23:05:07" << H << 1 << "23:05:07";
    QTest::newRow("hour 00 stays") << "00:05:07" << H << -1 << "00:05:07";
    QTest::newRow("minute 05 to 06") << "12:05:07" << M << 1 << "12:06:07";
    QTest::newRow("minute 10 to 09") << "12:10:07" << M << -1 << "12:09:07";
    QTest::newRow("minute 59 stays, no carry") << "12:59:07" << M << 1 << "12:59:07";
    QTest::newRow("minute 00 stays") << "12:00:07" << M << -1 << "12:00:07";
    QTest::newRow("day 01 stays") << "01/03/2024" << D << -1 << "01/03/2024";
    QTest::newRow("day 31 stays") << "31/03/2024" << D << 1 << "31/03/2024";
    QTest::newRow("day may pass the month's length") << "30/02/2024" << D << 1 << "31/02/2024";
    QTest::newRow("month 12 stays") << "15/12/2024" << Mo << 1 << "15/12/2024";
    QTest::newRow("month 01 stays") << "15/01/2024" << Mo << -1 << "15/01/2024";
    QTest::newRow("month 09 to 10") << "15/09/2024" << Mo << 1 << "15/10/2024";
    QTest::newRow("year 2099 stays") << "15/06/2099" << Y << 1 << "15/06/2099";
    QTest::newRow("year 1900 stays") << "15/06/1900" << Y << -1 << "15/06/1900";
    QTest::newRow("year up") << "15/06/2024" << Y << 1 << "15/06/2025";
    QTest::newRow("two-digit year counts from 1900") << "15/06/0098" << Y << 1 << "15/06/1999";
}

void TestClockFields::step()
{
    QFETCH(QString, text);
    QFETCH(ClockField, field);
    QFETCH(int, delta);
    QFETCH(QString, stepped);
    const ClockFields::Step s = ClockFields::step(text, field, delta);
    QCOMPARE(s.error, QString());
    QCOMPARE(s.text, stepped);
}

void TestClockFields::readsEveryField()
{
    const ClockFields::Reading r =
        ClockFields::read(QStringLiteral("07:08:09"), QStringLiteral("01/02/2030"));
    QCOMPARE(r.error, QString());
    QCOMPARE(QList<int>({r.year, r.month, r.day, r.hour, r.minute, r.second}),
             QList<int>({2030, 2, 1, 7, 8, 9}));
    QCOMPARE(ClockFields::timeText(QTime(7, 8, 9)), QStringLiteral("07:08:09"));
    QCOMPARE(ClockFields::dateText(QDate(2030, 2, 1)), QStringLiteral("01/02/2030"));
}

void TestClockFields::badFieldGivesIntegerError()
{
    const ClockFields::Step s = ClockFields::step(QStringLiteral("7h05"), ClockField::Hour, 1);
    QCOMPARE(s.error, QStringLiteral("'7h' n'est pas une valeur entière correcte"));
    QCOMPARE(s.text, QStringLiteral("7h05"));
    const ClockFields::Reading r = ClockFields::read(QStringLiteral("07:08:09"), QStringLiteral("1/2/2030"));
    QCOMPARE(r.error, QStringLiteral("'/2' n'est pas une valeur entière correcte"));
}

QTEST_GUILESS_MAIN(TestClockFields)
#include "tst_clockfields.moc"
