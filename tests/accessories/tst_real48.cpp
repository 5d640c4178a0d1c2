// The 48-bit real: rounding to nearest with ties away from zero, and the
// limits of its range.
#include "accessories/real48.h"

#include <QtTest>

#include <cmath>
#include <limits>

class TestReal48 : public QObject
{
    Q_OBJECT
private slots:
    void rounding_data();
    void rounding();
    void layoutOfOne();
};

void TestReal48::rounding_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<long double>("stored");

    const long double ulp = std::ldexp(1.0L, -39); // one unit of the fraction at 1
    const long double max = Real48::maxValue();
    const long double min = Real48::minPositive();
    const long double inf = std::numeric_limits<long double>::infinity();
    QTest::newRow("zero") << 0.0L << true << 0.0L;
    QTest::newRow("one") << 1.0L << true << 1.0L;
    QTest::newRow("exact fraction") << (1.0L + ulp) << true << (1.0L + ulp);
    QTest::newRow("tie goes away from zero") << (1.0L + ulp / 2) << true << (1.0L + ulp);
    QTest::newRow("negative tie goes away from zero") << -(1.0L + ulp / 2) << true << -(1.0L + ulp);
    QTest::newRow("just below a tie goes down") << (1.0L + ulp / 2 - std::ldexp(1.0L, -60)) << true << 1.0L;
    QTest::newRow("carry into the exponent") << (2.0L - ulp / 4) << true << 2.0L;
    QTest::newRow("largest value") << max << true << max;
    QTest::newRow("rounds down to the largest")
        << (max + std::ldexp(1.0L, 86) - std::ldexp(1.0L, 70)) << true << max;
    QTest::newRow("tie above the largest overflows") << (max + std::ldexp(1.0L, 86)) << false << 0.0L;
    QTest::newRow("2^127 overflows") << std::ldexp(1.0L, 127) << false << 0.0L;
    QTest::newRow("1e40 overflows") << 1e40L << false << 0.0L;
    QTest::newRow("-1e40 overflows") << -1e40L << false << 0.0L;
    QTest::newRow("infinity") << inf << false << 0.0L;
    QTest::newRow("not a number") << std::numeric_limits<long double>::quiet_NaN() << false << 0.0L;
    QTest::newRow("smallest value") << min << true << min;
    QTest::newRow("rounds up to the smallest") << (min * (1.0L - std::ldexp(1.0L, -45))) << true << min;
    QTest::newRow("half the smallest underflows to 0") << (min / 2) << true << 0.0L;
    QTest::newRow("1e-45 underflows to 0") << 1e-45L << true << 0.0L;
}

void TestReal48::rounding()
{
    QFETCH(long double, value);
    QFETCH(bool, fits);
    QFETCH(long double, stored);
    Real48 r;
    QCOMPARE(Real48::fromExtended(value, &r), fits);
    if (fits)
        QVERIFY2(r.toExtended() == stored, qPrintable(QString::number(double(r.toExtended()), 'g', 17)));
}

void TestReal48::layoutOfOne()
{
    Real48 r;
    QVERIFY(Real48::fromExtended(-1.5L, &r));
    QCOMPARE(int(r.exponent()), 129);
    QCOMPARE(r.fraction(), std::uint64_t{1} << 38);
    QVERIFY(r.negative());
    // About 12 significant digits and the range 2.9e-39 .. 1.7e38.
    QVERIFY(Real48::maxValue() > 1.7e38L && Real48::maxValue() < 1.71e38L);
    QVERIFY(Real48::minPositive() > 2.9e-39L && Real48::minPositive() < 2.95e-39L);
    QVERIFY(Real48::fromExtended(0.1L, &r));
    QVERIFY(std::fabs(r.toExtended() - 0.1L) < 0.1L * std::ldexp(1.0L, -40));
}

QTEST_GUILESS_MAIN(TestReal48)
#include "tst_real48.moc"
