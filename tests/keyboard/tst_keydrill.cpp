// The key drill's logic: the key table, a uniform draw and the score text.
#include "keyboard/keydrill.h"

#include <QSet>
#include <QtTest>

using keyboard::KeyDrill;

class TestKeyDrill : public QObject
{
    Q_OBJECT
private slots:
    void tableHoldsTheDrillKeys();
    void promptNamesTheDrawnKey();
    void drawIsUniformOverTheTable();
    void sameSeedSameKeys();
    void scoreText_data();
    void scoreText();
};

void TestKeyDrill::tableHoldsTheDrillKeys()
{
    const QList<int> codes{9,  16, 17, 18,  19,  20,  33,  34,  35,  36,  37,  38,  39,  40,  44,  45,  46,
                           91, 92, 93, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 144, 145};
    QCOMPARE(codes.size(), KeyDrill::kKeyCount);
    for (int i = 0; i < KeyDrill::kKeyCount; ++i)
        QCOMPARE(int(KeyDrill::key(i).virtualKey), codes[i]);
    QCOMPARE(QString::fromUtf8(KeyDrill::key(0).name), QStringLiteral("Tabulation"));
    QCOMPARE(QString::fromUtf8(KeyDrill::key(2).name), QString::fromUtf8("Contrôle"));
    QCOMPARE(QString::fromUtf8(KeyDrill::key(5).name), QStringLiteral("Verr Maj"));
    QCOMPARE(QString::fromUtf8(KeyDrill::key(14).name), QStringLiteral("Imp Ecran"));
    QCOMPARE(QString::fromUtf8(KeyDrill::key(33).name), QString::fromUtf8("Arrêt Défil"));
}

void TestKeyDrill::promptNamesTheDrawnKey()
{
    KeyDrill drill(7);
    for (int n = 0; n < 50; ++n) {
        const int index = drill.draw();
        QVERIFY(index >= 0 && index < KeyDrill::kKeyCount);
        QCOMPARE(drill.target(), KeyDrill::key(index).virtualKey);
        QCOMPARE(drill.prompt(),
                 QStringLiteral("Appuyez sur la touche ") + QString::fromUtf8(KeyDrill::key(index).name));
    }
}

void TestKeyDrill::drawIsUniformOverTheTable()
{
    KeyDrill drill(12345);
    constexpr int draws = 34000;
    QList<int> counts(KeyDrill::kKeyCount, 0);
    int repeats = 0;
    int previous = -1;
    for (int n = 0; n < draws; ++n) {
        const int index = drill.draw();
        ++counts[index];
        repeats += index == previous;
        previous = index;
    }
    // 1000 expected per key; 5 standard deviations is about 160.
    for (int c : counts)
        QVERIFY2(c > 840 && c < 1160, qPrintable(QString::number(c)));
    // Nothing prevents a key from being asked twice in a row.
    QVERIFY(repeats > 0);
}

void TestKeyDrill::sameSeedSameKeys()
{
    KeyDrill a(99);
    KeyDrill b(1);
    b.reseed(99);
    for (int n = 0; n < 20; ++n)
        QCOMPARE(a.draw(), b.draw());
}

void TestKeyDrill::scoreText_data()
{
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("text");
    QTest::newRow("right") << 5 << 2 << true << QStringLiteral("Bien : 5\r\nNombre d'Erreurs : 2");
    QTest::newRow("wrong") << 5 << 3 << false << QStringLiteral("\r\nNombre d'Erreurs : 3");
    QTest::newRow("first right") << 1 << 0 << true << QStringLiteral("Bien : 1\r\nNombre d'Erreurs : 0");
    QTest::newRow("large counts") << 123456 << 10000 << true
                                  << QStringLiteral("Bien : 123456\r\nNombre d'Erreurs : 10000");
}

void TestKeyDrill::scoreText()
{
    QFETCH(int, good);
    QFETCH(int, errors);
    QFETCH(bool, right);
    QFETCH(QString, text);
    QCOMPARE(KeyDrill::scoreText(good, errors, right), text);
}

QTEST_GUILESS_MAIN(TestKeyDrill)
#include "tst_keydrill.moc"
