// The colour arithmetic against published values, and the finger colours
// told apart by every eye: a later change of colour cannot undo it.
#include "guide/fingerpalette.h"
#include "ui/colourscience.h"

#include <QtTest>

using namespace ui::colour;
using keyboard::Finger;

Q_DECLARE_METATYPE(ui::colour::Vision)

class TestFingerPalette : public QObject
{
    Q_OBJECT
private slots:
    void deltaE2000MatchesSharmasPairs_data();
    void deltaE2000MatchesSharmasPairs();
    void srgbToLab_data();
    void srgbToLab();
    void fingersOfOneHandStayApart_data();
    void fingersOfOneHandStayApart();
    void eachFingerHasItsNumberAndReadableInk();
};

// Sharma, Wu and Dalal 2005, table 1: the 34 pairs and their ΔE00.
void TestFingerPalette::deltaE2000MatchesSharmasPairs_data()
{
    QTest::addColumn<QList<double>>("one");
    QTest::addColumn<QList<double>>("other");
    QTest::addColumn<double>("expected");
    const double pairs[][7] = {
        {50.0000, 2.6772, -79.7751, 50.0000, 0.0000, -82.7485, 2.0425},
        {50.0000, 3.1571, -77.2803, 50.0000, 0.0000, -82.7485, 2.8615},
        {50.0000, 2.8361, -74.0200, 50.0000, 0.0000, -82.7485, 3.4412},
        {50.0000, -1.3802, -84.2814, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -1.1848, -84.8006, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, -0.9009, -85.5211, 50.0000, 0.0000, -82.7485, 1.0000},
        {50.0000, 0.0000, 0.0000, 50.0000, -1.0000, 2.0000, 2.3669},
        {50.0000, -1.0000, 2.0000, 50.0000, 0.0000, 0.0000, 2.3669},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0009, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0010, 7.1792},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0011, 7.2195},
        {50.0000, 2.4900, -0.0010, 50.0000, -2.4900, 0.0012, 7.2195},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0009, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0010, -2.4900, 4.8045},
        {50.0000, -0.0010, 2.4900, 50.0000, 0.0011, -2.4900, 4.7461},
        {50.0000, 2.5000, 0.0000, 50.0000, 0.0000, -2.5000, 4.3065},
        {50.0000, 2.5000, 0.0000, 73.0000, 25.0000, -18.0000, 27.1492},
        {50.0000, 2.5000, 0.0000, 61.0000, -5.0000, 29.0000, 22.8977},
        {50.0000, 2.5000, 0.0000, 56.0000, -27.0000, -3.0000, 31.9030},
        {50.0000, 2.5000, 0.0000, 58.0000, 24.0000, 15.0000, 19.4535},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.1736, 0.5854, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2972, 0.0000, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 1.8634, 0.5757, 1.0000},
        {50.0000, 2.5000, 0.0000, 50.0000, 3.2592, 0.3350, 1.0000},
        {60.2574, -34.0099, 36.2677, 60.4626, -34.1751, 39.4387, 1.2644},
        {63.0109, -31.0961, -5.8663, 62.8187, -29.7946, -4.0864, 1.2630},
        {61.2901, 3.7196, -5.3901, 61.4292, 2.2480, -4.9620, 1.8731},
        {35.0831, -44.1164, 3.7933, 35.0232, -40.0716, 1.5901, 1.8645},
        {22.7233, 20.0904, -46.6940, 23.0331, 14.9730, -42.5619, 2.0373},
        {36.4612, 47.8580, 18.3852, 36.2715, 50.5065, 21.2231, 1.4146},
        {90.8027, -2.0831, 1.4410, 91.1528, -1.6435, 0.0447, 1.4441},
        {90.9257, -0.5406, -0.9208, 88.6381, -0.8985, -0.7239, 1.5381},
        {6.7747, -0.2908, -2.4247, 5.8714, -0.0985, -2.2286, 0.6377},
        {2.0776, 0.0795, -1.1350, 0.9033, -0.0636, -0.5514, 0.9082},
    };
    int n = 0;
    for (const auto &p : pairs)
        QTest::addRow("pair %d", ++n)
            << QList<double>{p[0], p[1], p[2]} << QList<double>{p[3], p[4], p[5]} << p[6];
}

void TestFingerPalette::deltaE2000MatchesSharmasPairs()
{
    QFETCH(QList<double>, one);
    QFETCH(QList<double>, other);
    QFETCH(double, expected);
    const Lab a{one[0], one[1], one[2]}, b{other[0], other[1], other[2]};
    QVERIFY2(qAbs(deltaE2000(a, b) - expected) < 0.00005,
             qPrintable(QString::number(deltaE2000(a, b), 'f', 5)));
    QVERIFY(qAbs(deltaE2000(b, a) - expected) < 0.00005);
}

void TestFingerPalette::srgbToLab_data()
{
    QTest::addColumn<unsigned>("hex");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("white") << 0xFFFFFFu << QList<double>{100, 0, 0};
    QTest::newRow("black") << 0x000000u << QList<double>{0, 0, 0};
    QTest::newRow("red") << 0xFF0000u << QList<double>{53.2408, 80.0925, 67.2032};
    QTest::newRow("green") << 0x00FF00u << QList<double>{87.7347, -86.1827, 83.1793};
    QTest::newRow("blue") << 0x0000FFu << QList<double>{32.2970, 79.1875, -107.8602};
    QTest::newRow("mid grey") << 0x808080u << QList<double>{53.5850, 0, 0};
}

void TestFingerPalette::srgbToLab()
{
    QFETCH(unsigned, hex);
    QFETCH(QList<double>, expected);
    const Lab got = lab(linear(Srgb::fromHex(hex)));
    QVERIFY2(qAbs(got.L - expected[0]) < 0.01 && qAbs(got.a - expected[1]) < 0.01 &&
                 qAbs(got.b - expected[2]) < 0.01,
             qPrintable(QStringLiteral("%1 %2 %3").arg(got.L).arg(got.a).arg(got.b)));
}

// 10 is clearly distinct; under 5 is hard to tell on a small key.
void TestFingerPalette::fingersOfOneHandStayApart_data()
{
    QTest::addColumn<bool>("lit");
    QTest::addColumn<bool>("highContrast");
    QTest::addColumn<Vision>("vision");
    const std::pair<const char *, Vision> visions[] = {{"normal vision", Vision::Normal},
                                                       {"protanopia", Vision::Protanopia},
                                                       {"deuteranopia", Vision::Deuteranopia},
                                                       {"tritanopia", Vision::Tritanopia}};
    for (const auto &[name, vision] : visions) {
        QTest::addRow("lit keys, %s", name) << true << false << vision;
        QTest::addRow("zones, %s", name) << false << false << vision;
        QTest::addRow("lit keys in high contrast, %s", name) << true << true << vision;
    }
}

void TestFingerPalette::fingersOfOneHandStayApart()
{
    QFETCH(bool, lit);
    QFETCH(bool, highContrast);
    QFETCH(Vision, vision);
    const QList<Finger> fingers = guide::fingersOfLeftHand();
    double worst = 1000;
    QString pair;
    for (qsizetype i = 0; i < fingers.size(); ++i)
        for (qsizetype j = i + 1; j < fingers.size(); ++j) {
            const guide::FingerLook one = guide::fingerLook(fingers[i], highContrast),
                                    other = guide::fingerLook(fingers[j], highContrast);
            const double d = lit ? seenDifference(one.lit, other.lit, vision)
                                 : seenDifference(one.zone, other.zone, vision);
            if (d < worst) {
                worst = d;
                pair = QStringLiteral("fingers %1 and %2: %3")
                           .arg(one.number)
                           .arg(other.number)
                           .arg(d, 0, 'f', 1);
            }
        }
    QVERIFY2(worst >= 10, qPrintable(pair));
}

void TestFingerPalette::eachFingerHasItsNumberAndReadableInk()
{
    const QList<Finger> left = guide::fingersOfLeftHand();
    const QList<Finger> right{Finger::RightPinky, Finger::RightRing, Finger::RightMiddle, Finger::RightIndex,
                              Finger::RightThumb};
    QList<int> numbers;
    for (qsizetype i = 0; i < left.size(); ++i) {
        const guide::FingerLook look = guide::fingerLook(left[i]), mirror = guide::fingerLook(right[i]);
        numbers << look.number;
        QCOMPARE(mirror.number, look.number);
        QCOMPARE(seenDifference(mirror.lit, look.lit, Vision::Normal), 0.0);
        QVERIFY2(contrastRatio(look.ink, look.lit) >= 4.5, qPrintable(QString::number(look.number)));
        QVERIFY2(contrastRatio(Srgb::fromHex(0x000000), look.zone) >= 7,
                 qPrintable(QString::number(look.number)));
    }
    QCOMPARE(numbers, (QList<int>{5, 4, 3, 2, 1}));
    QCOMPARE(guide::fingerLook(Finger::None).number, 0);
}

QTEST_GUILESS_MAIN(TestFingerPalette)
#include "tst_finger_palette.moc"
