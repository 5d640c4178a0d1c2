// The statistics window's six figures.
#include "app/lesson/tstats.h"

#include <QLineEdit>
#include <QtTest>

class TestStats : public QObject
{
    Q_OBJECT
private slots:
    void figures_data();
    void figures();
    void requestWithoutTimeEmptiesSpeeds();
};

void TestStats::figures_data()
{
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QStringList>("shown"); // in display order

    QTest::newRow("nothing") << 0 << 0 << 0 << QStringList{"0", "0", "", "", "", "0:0"};
    QTest::newRow("7/3/90") << 7 << 3 << 90 << QStringList{"10", "3", "30 %", "4", "0", "1:30"};
    QTest::newRow("2/1/30") << 2 << 1 << 30 << QStringList{"3", "1", "33 %", "4", "0", "0:30"};
    QTest::newRow("150/0/60") << 150 << 0 << 60 << QStringList{"150", "0", "0 %", "150", "30", "1:0"};
    QTest::newRow("59 seconds") << 0 << 0 << 59 << QStringList{"0", "0", "", "0", "0", "0:59"};
    QTest::newRow("3600 seconds") << 5 << 0 << 3600 << QStringList{"5", "0", "0 %", "0", "0", "60:0"};
    QTest::newRow("negative seconds") << 10 << 0 << -5 << QStringList{"10", "0", "0 %", "", "", "0:-5"};
    // 32-bit arithmetic wraps as the original integers did.
    QTest::newRow("overflowing product")
        << 40000000 << 0 << 60 << QStringList{"40000000", "0", "0 %", "-31582788", "8000000", "1:0"};
}

void TestStats::figures()
{
    QFETCH(int, good);
    QFETCH(int, errors);
    QFETCH(int, seconds);
    QFETCH(QStringList, shown);
    TStats stats;
    stats.Init(good, errors, seconds);
    const QStringList actual{stats.Edit1()->text(), stats.Edit2()->text(), stats.Edit3()->text(),
                             stats.Edit4()->text(), stats.Edit6()->text(), stats.Edit5()->text()};
    QCOMPARE(actual, shown);
}

void TestStats::requestWithoutTimeEmptiesSpeeds()
{
    TStats stats;
    stats.Init(150, 0, 60);
    stats.Init(150, 0, 0);
    QCOMPARE(stats.Edit4()->text(), QString());
    QCOMPARE(stats.Edit6()->text(), QString());
    QCOMPARE(stats.Edit5()->text(), QStringLiteral("0:0"));
}

QTEST_MAIN(TestStats)
#include "tst_stats.moc"
