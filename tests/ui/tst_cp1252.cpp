// Windows-1252 conversion.
#include "ui/cp1252.h"

#include <QtTest>

class TestCp1252 : public QObject
{
    Q_OBJECT
private slots:
    void everyCodeRoundTrips();
    void specialCodes_data();
    void specialCodes();
    void unencodableCharacterIsReported();
};

void TestCp1252::everyCodeRoundTrips()
{
    QByteArray all;
    for (int c = 0; c < 256; ++c)
        all.append(char(c));
    const QString text = ui::fromCp1252(all);
    QCOMPARE(text.size(), 256);
    bool ok = false;
    QCOMPARE(ui::toCp1252(text, &ok), all);
    QVERIFY(ok);
}

void TestCp1252::specialCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("unicode");
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("oe ligature") << 0x9C << 0x0153;
    QTest::newRow("OE ligature") << 0x8C << 0x0152;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("right quote") << 0x92 << 0x2019;
    QTest::newRow("undefined 81") << 0x81 << 0x81;
    QTest::newRow("undefined 8D") << 0x8D << 0x8D;
    QTest::newRow("undefined 8F") << 0x8F << 0x8F;
    QTest::newRow("undefined 90") << 0x90 << 0x90;
    QTest::newRow("undefined 9D") << 0x9D << 0x9D;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("nbsp") << 0xA0 << 0xA0;
}

void TestCp1252::specialCodes()
{
    QFETCH(int, code);
    QFETCH(int, unicode);
    QCOMPARE(ui::cp1252ToUnicode(quint8(code)).unicode(), char16_t(unicode));
    QCOMPARE(ui::unicodeToCp1252(QChar(unicode)), code);
}

void TestCp1252::unencodableCharacterIsReported()
{
    bool ok = true;
    QCOMPARE(ui::toCp1252(QStringLiteral("a\u0103b"), &ok), QByteArray("a?b"));
    QVERIFY(!ok);
    QVERIFY(!ui::fitsCp1252(QStringLiteral("\u4e2d")));
    QVERIFY(ui::fitsCp1252(QStringLiteral("œ€é")));
    QCOMPARE(ui::unicodeToCp1252(QChar(0x0100)), -1);
}

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
