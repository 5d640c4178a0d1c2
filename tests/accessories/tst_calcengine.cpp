// The calculator engine: key sequences as typed on the keyboard, the number
// text both ways, and the keyboard map.
#include "accessories/calcengine.h"

#include <QtTest>

#include <cmath>

class TestCalcEngine : public QObject
{
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void conversionErrorKeepsAccumulator();
    void clearKeepsNewEntry();
    void typedNumberIsReadAsTyped();
    void format_data();
    void format();
    void parse_data();
    void parse();
    void keyboardMap();
    void shortDecimalResults();
};

namespace {
// Feeds typed characters through the keyboard map; collects the errors.
QStringList typeKeys(CalcEngine &engine, const QString &keys)
{
    QStringList errors;
    for (QChar ch : keys) {
        const QString error = engine.press(CalcEngine::keyForChar(quint8(ch.toLatin1())));
        if (!error.isEmpty())
            errors << error;
    }
    return errors;
}
} // namespace

void TestCalcEngine::sequences_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QStringList>("errors");

    const QString nines(40, QLatin1Char('9'));
    QTest::newRow("2+3=") << "2+3="
                          << "5" << QStringList{};
    QTest::newRow("= again repeats") << "2+3=="
                                     << "10" << QStringList{};
    QTest::newRow("C empties") << "2+3==c"
                               << "" << QStringList{};
    QTest::newRow("1,5*4") << "1,5*4="
                           << "6" << QStringList{};
    QTest::newRow("+ on empty display") << "+"
                                        << "" << QStringList{};
    QTest::newRow("+ on empty display, then 2+3") << "+2+3="
                                                  << "5" << QStringList{};
    QTest::newRow("9/0") << "9/0="
                         << "0" << QStringList{QStringLiteral("Division flottante par zéro")};
    QTest::newRow("0/0") << "0/0="
                         << "0" << QStringList{QStringLiteral("Opération flottante incorrecte")};
    QTest::newRow("4 sqr") << "4s"
                           << "2" << QStringList{};
    QTest::newRow("2 sqr unshortened") << "2s"
                                       << "1,4142135623731" << QStringList{};
    QTest::newRow("3 1/x unshortened") << "3x"
                                       << "0,333333333333333" << QStringList{};
    QTest::newRow("1/x of 0") << "0x"
                              << "0" << QStringList{QStringLiteral("Division flottante par zéro")};
    QTest::newRow("sqr of a negative")
        << "5-8=s"
        << "-3" << QStringList{QStringLiteral("Opération flottante incorrecte")};
    QTest::newRow("2+4 1/x =") << "2+4x="
                               << "0,5" << QStringList{};
    QTest::newRow("operation after =") << "2+3=*4="
                                       << "40" << QStringList{};
    QTest::newRow("two operations in a row") << "6*-2="
                                             << "34" << QStringList{};
    QTest::newRow("1,2,3 second") << "2+1,2,3="
                                  << "1,2,3"
                                  << QStringList{
                                         QStringLiteral("'1,2,3' n'est pas une valeur flottante correcte")};
    QTest::newRow("1,2,3 first") << "1,2,3+"
                                 << "" << QStringList{};
    QTest::newRow("forty nines first") << nines + "+"
                                       << "" << QStringList{};
    QTest::newRow("forty nines second")
        << "1+" + nines + "=" << nines << QStringList{QStringLiteral("Débordement flottant")};
    QTest::newRow("result overflow") << "99999999999999999999*99999999999999999999="
                                     << "99999999999999999999"
                                     << QStringList{QStringLiteral("Débordement flottant")};
    QTest::newRow("0,1+0,2") << "0,1+0,2="
                             << "0,3" << QStringList{};
    QTest::newRow("3+0,05 keeps its zero") << "3+0,05="
                                           << "3,05" << QStringList{};
    QTest::newRow("1/3 shows the digits that read back") << "1/3="
                                                         << "0,3333333333335" << QStringList{};
    QTest::newRow("exact 13-digit result") << "1048576*1048576="
                                           << "1099511627776" << QStringList{};
    QTest::newRow("exact 13-digit product") << "1000003*1000001="
                                            << "1000004000003" << QStringList{};
    QTest::newRow("3*0,3") << "3*0,3="
                           << "0,9" << QStringList{};
    QTest::newRow("2/0,00025") << "2/0,00025="
                               << "8000" << QStringList{};
    QTest::newRow("residue of a chain cancels") << "0,1+0,2-0,3="
                                                << "0" << QStringList{};
    QTest::newRow("a cancelled residue is no divisor")
        << "0,1+0,2-0,3=x"
        << "0" << QStringList{QStringLiteral("Division flottante par zéro")};
    QTest::newRow("= again adds the shown result to itself") << "0,1+0,2=="
                                                             << "0,6" << QStringList{};
    QTest::newRow("scientific result") << "1048576*1048576*1048576="
                                       << "1,152921504607E18" << QStringList{};
    QTest::newRow("small result") << "1/1048576="
                                  << "9,53674316406E-7" << QStringList{};
    QTest::newRow("negative result") << "2-5="
                                     << "-3" << QStringList{};
    QTest::newRow("leading zeros stay while typing") << "000,50"
                                                     << "000,50" << QStringList{};
    QTest::newRow("second comma accepted while typing") << "1,,2"
                                                        << "1,,2" << QStringList{};
    QTest::newRow("digit after a result starts anew") << "2+3=7"
                                                      << "7" << QStringList{};
    QTest::newRow("comma after a result appends") << "2+3=,"
                                                  << "5," << QStringList{};
    QTest::newRow("= without operation shows the number") << "5=="
                                                          << "5" << QStringList{};
}

void TestCalcEngine::sequences()
{
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(QStringList, errors);
    CalcEngine engine;
    QCOMPARE(typeKeys(engine, keys), errors);
    QCOMPARE(engine.display(), display);
}

void TestCalcEngine::conversionErrorKeepsAccumulator()
{
    CalcEngine engine;
    typeKeys(engine, QStringLiteral("2+1,2,3+"));
    QCOMPARE(engine.accumulator().toExtended(), 2.0L);
    QCOMPARE(engine.pending(), '+');
    // A failed "*" leaves "+" pending.
    typeKeys(engine, QStringLiteral("*"));
    QCOMPARE(engine.pending(), '+');
}

void TestCalcEngine::typedNumberIsReadAsTyped()
{
    // The shown "0,9" stands for 3 × 0,3; typed again, "0,9" is 0,9 itself.
    CalcEngine product;
    typeKeys(product, QStringLiteral("3*0,3-0,9="));
    Real48 typed;
    QVERIFY(Real48::fromExtended(*calc::parseNumber(QStringLiteral("0,9")), &typed));
    QCOMPARE(product.operand(), typed);
}

void TestCalcEngine::clearKeepsNewEntry()
{

    CalcEngine engine;
    typeKeys(engine, QStringLiteral("2+3="));
    QVERIFY(engine.newEntry());
    engine.clear();
    QVERIFY(engine.newEntry());
    QVERIFY(!engine.accumulatorSet());
    QCOMPARE(engine.pending(), '\0');
}

void TestCalcEngine::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << 15 << "0";
    QTest::newRow("integer") << 42.0 << 15 << "42";
    QTest::newRow("negative") << -2.5 << 15 << "-2,5";
    QTest::newRow("fifteen integer digits") << 999999999999999.0 << 15 << "999999999999999";
    QTest::newRow("sixteen integer digits") << 1e15 << 15 << "1E15";
    QTest::newRow("rounded mantissa") << 123456789012345678.0 << 15 << "1,23456789012346E17";
    QTest::newRow("0,00001 stays fixed") << 0.00001 << 15 << "0,00001";
    QTest::newRow("below 0,00001") << 0.0000015 << 15 << "1,5E-6";
    QTest::newRow("tiny") << 1.5e-10 << 15 << "1,5E-10";
    QTest::newRow("twelve digits") << 0.1 + 0.2 << 12 << "0,3";
}

void TestCalcEngine::format()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(QString, text);
    QCOMPARE(calc::formatGeneral(value, digits), text);
}

void TestCalcEngine::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << " 12,5 " << true << 12.5;
    QTest::newRow("sign") << "-3" << true << -3.0;
    QTest::newRow("exponent") << "1E3" << true << 1000.0;
    QTest::newRow("trailing comma") << "5," << true << 5.0;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("comma alone") << "," << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("too large for extended") << "1E5000" << true << HUGE_VAL;
    QTest::newRow("too small for extended") << "1E-5000" << true << 0.0;
}

void TestCalcEngine::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const std::optional<long double> parsed = calc::parseNumber(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(double(*parsed), value);
}

void TestCalcEngine::keyboardMap()
{
    using K = CalcEngine::Key;
    QCOMPARE(CalcEngine::keyForChar('.'), K::Comma);
    QCOMPARE(CalcEngine::keyForChar('C'), K::Clear);
    QCOMPARE(CalcEngine::keyForChar('S'), K::SquareRoot);
    QCOMPARE(CalcEngine::keyForChar('X'), K::Reciprocal);
    QCOMPARE(CalcEngine::keyForChar(27), K::Close);
    QCOMPARE(CalcEngine::keyForChar(13), K::None);
    QCOMPARE(CalcEngine::keyForChar('a'), K::None);
}

namespace {
// n x 10^-scale as the calculator shows a short number (no exponent).
QString decimalText(long long n, int scale)
{
    const bool negative = n < 0;
    QString digits = QString::number(negative ? -n : n);
    for (; scale < 0; ++scale)
        digits += QLatin1Char('0');
    if (scale > 0) {
        digits = digits.rightJustified(scale + 1, QLatin1Char('0'));
        digits.insert(digits.size() - scale, QLatin1Char(','));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        if (digits.endsWith(QLatin1Char(',')))
            digits.chop(1);
    }
    return negative ? QLatin1Char('-') + digits : digits;
}

bool readsBackTo(const QString &text, const Real48 &value)
{
    const std::optional<long double> back = calc::parseNumber(text);
    Real48 stored;
    return back && Real48::fromExtended(*back, &stored) && stored == value;
}
} // namespace

// Every a op b of short decimals shows the exact decimal result when there
// is one; a result read back is the 48-bit value it stands for; results of
// whole numbers read back from their text, which one digit less does not.
void TestCalcEngine::shortDecimalResults()
{
    QList<QPair<long long, int>> numbers;
    for (long long k : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 17, 25, 33, 99, 125, 999, 1001, 12345})
        for (int scale = 0; scale <= 3; ++scale)
            numbers.append({k, scale});
    const auto power = [](int n) { return std::llround(std::pow(10.0, n)); };
    int exactShown = 0;
    for (const auto &[ka, sa] : numbers) {
        for (const auto &[kb, sb] : numbers) {
            for (char op : {'+', '-', '*', '/'}) {
                CalcEngine engine;
                const QString keys = decimalText(ka, sa) + QLatin1Char(op) + decimalText(kb, sb) + '=';
                QVERIFY(typeKeys(engine, keys).isEmpty());
                const QString shown = engine.display();
                const QByteArray what = (keys + shown).toUtf8();

                std::optional<QString> exact;
                const int s = std::max(sa, sb);
                const long long a = ka * power(s - sa);
                const long long b = kb * power(s - sb);
                if (op == '+')
                    exact = decimalText(a + b, s);
                else if (op == '-')
                    exact = decimalText(a - b, s);
                else if (op == '*')
                    exact = decimalText(ka * kb, sa + sb);
                else
                    for (int t = 0; t <= 8 && !exact; ++t)
                        if ((a * power(t)) % b == 0)
                            exact = decimalText(a * power(t) / b, t);
                if (exact &&
                    (*exact == QLatin1String("0") || std::fabs(*calc::parseNumber(*exact)) >= 0.00001L)) {
                    QVERIFY2(shown == *exact, what.constData());
                    ++exactShown;
                } else if (!exact) {
                    const long double q = (long double)a / b;
                    QVERIFY2(std::fabs(*calc::parseNumber(shown) - q) <= q * 1e-11L, what.constData());
                }

                const Real48 result = engine.accumulator();
                engine.press(CalcEngine::Key::Plus);
                QVERIFY2(engine.operand() == result, what.constData());

                if (sa != 0 || sb != 0)
                    continue;
                QVERIFY2(readsBackTo(shown, result), what.constData());
                // One significant digit less, rounded down or up.
                const QStringList parts = QString(shown).remove(QLatin1Char('-')).split(QLatin1Char('E'));
                QString mantissa = parts.at(0);
                const qsizetype comma = mantissa.indexOf(QLatin1Char(','));
                int exponent = parts.size() > 1 ? parts.at(1).toInt() : 0;
                if (comma >= 0) {
                    exponent -= int(mantissa.size() - comma - 1);
                    mantissa.remove(comma, 1);
                }
                while (mantissa.size() > 1 && mantissa.startsWith(QLatin1Char('0')))
                    mantissa.remove(0, 1);
                for (; mantissa.endsWith(QLatin1Char('0')); ++exponent)
                    mantissa.chop(1);
                QVERIFY(mantissa.size() <= 15);
                if (mantissa.size() < 2)
                    continue;
                const long long shorter = mantissa.left(mantissa.size() - 1).toLongLong();
                const QString sign = shown.startsWith(QLatin1Char('-')) ? QStringLiteral("-") : QString();
                for (long long m : {shorter, shorter + 1})
                    QVERIFY2(!readsBackTo(sign + QStringLiteral("%1E%2").arg(m).arg(exponent + 1), result),
                             what.constData());
            }
        }
    }
    QVERIFY(exactShown > 20000);
}

QTEST_GUILESS_MAIN(TestCalcEngine)
#include "tst_calcengine.moc"
