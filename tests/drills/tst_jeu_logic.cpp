// The typing game's rules, played by ticks and keys without a window.
#include "drills/gamelogic.h"
#include "drills/gamewords.h"

#include <QtTest>

namespace {

GameLogic seeded(quint32 seed)
{
    return GameLogic([seed] { return seed; });
}

QStringList wordList()
{
    QStringList words;
    for (const char *w : game::kWords)
        words << QString::fromUtf8(w);
    return words;
}

} // namespace

class TestJeuLogic : public QObject
{
    Q_OBJECT
private slots:
    void wordAndLetterTables();
    void jouerDropsItemsAtTheirColumns_data();
    void jouerDropsItemsAtTheirColumns();
    void lettersGameKeys_data();
    void lettersGameKeys();
    void wordsGameKeys_data();
    void wordsGameKeys();
    void itemPassingTheBottom_data();
    void itemPassingTheBottom();
    void ticksWithNothingLeftOnlyKeepScore();
    void wordsGameKeepsItemsSixToTen();
    void switchingGameKeepsPositions();
    void unknownCodePlaysNothing();
};

void TestJeuLogic::wordAndLetterTables()
{
    QCOMPARE(QString::fromUtf8(game::kLetters), QStringLiteral("azertyuiopqsdfghjklmwxcvbn"));
    const QStringList words = wordList();
    QCOMPARE(words.size(), 20);
    QCOMPARE(words.first(), QStringLiteral("Aïe"));
    QCOMPARE(words.at(15), QStringLiteral("Voilà"));
    QCOMPARE(words.last(), QStringLiteral("Café"));
}

void TestJeuLogic::jouerDropsItemsAtTheirColumns_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 42u, 2026u, 0xDEADBEEFu}) {
        QTest::addRow("letters, seed %u", seed) << 1 << seed;
        QTest::addRow("words, seed %u", seed) << 2 << seed;
    }
}

void TestJeuLogic::jouerDropsItemsAtTheirColumns()
{
    QFETCH(int, code);
    QFETCH(quint32, seed);
    GameLogic g = seeded(seed);
    g.setIni(code);
    g.drawPositions();
    std::array<std::int32_t, 10> start{};
    for (int i = 1; i <= 10; ++i) {
        start.at(i - 1) = g.position(i);
        QVERIFY2(g.position(i) >= 100 && g.position(i) <= 199, qPrintable(QString::number(g.position(i))));
    }
    g.step();

    const int columns = code == 1 ? 10 : 5;
    const QString letters = QString::fromUtf8(game::kLetters);
    const QStringList words = wordList();
    for (int i = 1; i <= columns; ++i) {
        const QString item = g.item(i);
        QVERIFY(code == 1 ? item.size() == 1 && letters.contains(item) : words.contains(item));
        // Drawn once, 20 px lower, at x = 50 i (letters) or 100 i (words).
        QCOMPARE(g.position(i), start.at(i - 1) + 20);
        QCOMPARE(g.drawing(i), (GameLogic::Drawing{item, (code == 1 ? 50 : 100) * i, start.at(i - 1) + 20}));
    }
    for (int i = columns + 1; i <= 10; ++i)
        QCOMPARE(g.drawing(i), GameLogic::Drawing{});
    QCOMPARE(g.scoreLine(), QStringLiteral("Bon : 0  Erreurs : 0"));
    QVERIFY(g.falling());
}

void TestJeuLogic::lettersGameKeys_data()
{
    QTest::addColumn<QString>("items"); // one letter per column, '.' for none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("good");

    QTest::newRow("three columns hold it") << "azaeaqsdfg"
                                           << "a"
                                           << ".z.e.qsdfg" << 3;
    QTest::newRow("one column") << "azaeaqsdfg"
                                << "q"
                                << "azaea.sdfg" << 1;
    QTest::newRow("uppercase costs nothing") << "azaeaqsdfg"
                                             << "A"
                                             << "azaeaqsdfg" << 0;
    QTest::newRow("accent counts") << "azaeaqsdfg" << QStringLiteral("é") << "azaeaqsdfg" << 0;
    QTest::newRow("letter nobody holds") << "azaeaqsdfg"
                                         << "m"
                                         << "azaeaqsdfg" << 0;
    QTest::newRow("space") << "azaeaqsdfg"
                           << " "
                           << "azaeaqsdfg" << 0;
}

void TestJeuLogic::lettersGameKeys()
{
    QFETCH(QString, items);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    QFETCH(int, good);

    GameLogic g = seeded(1);
    g.setIni(1);
    g.drawPositions();
    for (int i = 1; i <= 10; ++i)
        g.setItem(i, items.at(i - 1) == u'.' ? QString() : QString(items.at(i - 1)));
    g.step();

    QCOMPARE(g.keyPress(typed.at(0)), good > 0);
    QCOMPARE(g.good(), good);
    QCOMPARE(g.errors(), 0);
    for (int i = 1; i <= 10; ++i) {
        const QString expected = left.at(i - 1) == u'.' ? QString() : QString(left.at(i - 1));
        QCOMPARE(g.item(i), expected);
        // A destroyed letter is blanked at once.
        QCOMPARE(g.drawing(i).text, expected);
    }
    QCOMPARE(g.scoreLine(), QStringLiteral("Bon : %1  Erreurs : 0").arg(good));
}

void TestJeuLogic::wordsGameKeys_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("good");

    const QStringList five{"Maman", "Papier", "Dodo", QStringLiteral("Café"), "Route"};
    QTest::newRow("a against Maman and the others")
        << five << "a" << QStringList{"Mman", "Ppier", "Dodo", QStringLiteral("Cfé"), "Route"} << 3;
    QTest::newRow("uppercase M") << five << "M"
                                 << QStringList{"aman", "Papier", "Dodo", QStringLiteral("Café"), "Route"}
                                 << 1;
    QTest::newRow("lowercase m") << five << "m"
                                 << QStringList{"Maan", "Papier", "Dodo", QStringLiteral("Café"), "Route"}
                                 << 1;
    QTest::newRow("accented letter") << five << QStringLiteral("é")
                                     << QStringList{"Maman", "Papier", "Dodo", "Caf", "Route"} << 1;
    QTest::newRow("plain e is not é") << QStringList{QStringLiteral("Café"), "", "", "", ""} << "e"
                                      << QStringList{QStringLiteral("Café"), "", "", "", ""} << 0;
    QTest::newRow("diaeresis") << QStringList{QStringLiteral("Aïe"), "Ici", "", "", ""} << QStringLiteral("ï")
                               << QStringList{"Ae", "Ici", "", "", ""} << 1;
    QTest::newRow("last letter empties the word")
        << QStringList{"o", "Dodo", "", "", ""} << "o" << QStringList{"", "Ddo", "", "", ""} << 2;
    QTest::newRow("nothing matches") << five << "x" << five << 0;
}

void TestJeuLogic::wordsGameKeys()
{
    QFETCH(QStringList, words);
    QFETCH(QString, typed);
    QFETCH(QStringList, left);
    QFETCH(int, good);

    GameLogic g = seeded(1);
    g.setIni(2);
    g.drawPositions();
    for (int i = 1; i <= 5; ++i)
        g.setItem(i, words.at(i - 1));
    g.step();

    QCOMPARE(g.keyPress(typed.at(0)), good > 0);
    QCOMPARE(g.good(), good);
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(g.item(i), left.at(i - 1));
        // The shortened word is drawn where it is; an emptied one vanishes.
        if (left.at(i - 1).isEmpty())
            QCOMPARE(g.drawing(i), GameLogic::Drawing{});
        else
            QCOMPARE(g.drawing(i), (GameLogic::Drawing{left.at(i - 1), 100 * i, g.position(i)}));
    }
    QCOMPARE(g.falling(), left.join(QString()).size() > 0);
}

void TestJeuLogic::itemPassingTheBottom_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("steps"); // steps until it is lost
    QTest::addColumn<int>("errors");

    QTest::newRow("letter from 100") << 1 << "k" << 100 << 13 << 1;
    QTest::newRow("letter from 199") << 1 << "k" << 199 << 8 << 1;
    QTest::newRow("letter from 150") << 1 << "k" << 150 << 11 << 1;
    QTest::newRow("letter from 130") << 1 << "k" << 130 << 12 << 1; // 350 is not past the bottom
    QTest::newRow("4-letter word from 100") << 2 << "Dodo" << 100 << 13 << 4;
    QTest::newRow("7-letter word from 199") << 2 << "Capital" << 199 << 8 << 7;
    QTest::newRow("accented word") << 2 << QStringLiteral("Déjà") << 120 << 12 << 4;
}

void TestJeuLogic::itemPassingTheBottom()
{
    QFETCH(int, code);
    QFETCH(QString, item);
    QFETCH(int, start);
    QFETCH(int, steps);
    QFETCH(int, errors);

    GameLogic g = seeded(3);
    g.setIni(code);
    for (int i = 1; i <= 10; ++i)
        g.setItem(i, QString());
    const int column = code == 1 ? 7 : 4;
    const int x = code == 1 ? 350 : 400;
    g.setItem(column, item);
    g.setPosition(column, start);

    for (int k = 1; k < steps; ++k) {
        g.step();
        QCOMPARE(g.item(column), item);
        QCOMPARE(g.drawing(column), (GameLogic::Drawing{item, x, start + 20 * k}));
    }
    QCOMPARE(g.errors(), 0);

    g.step(); // lost, but still drawn where it went past the bottom
    const int last = start + 20 * steps;
    QVERIFY(last > 350);
    QCOMPARE(g.item(column), QString());
    QCOMPARE(g.drawing(column), (GameLogic::Drawing{item, x, last}));
    QCOMPARE(g.errors(), errors);
    QCOMPARE(g.scoreLine(), QStringLiteral("Bon : 0  Erreurs : %1").arg(errors));
    QVERIFY(!g.falling());

    g.step(); // the next step blanks it and counts nothing more
    QCOMPARE(g.drawing(column), GameLogic::Drawing{});
    QCOMPARE(g.position(column), last);
    QCOMPARE(g.errors(), errors);
}

void TestJeuLogic::ticksWithNothingLeftOnlyKeepScore()
{
    GameLogic g = seeded(5);
    g.setIni(1);
    g.drawPositions();
    g.step();
    for (int i = 1; i <= 10; ++i)
        g.keyPress(g.item(i).isEmpty() ? QChar(u' ') : g.item(i).at(0));
    QVERIFY(!g.falling());
    QCOMPARE(g.good(), 10);
    std::array<std::int32_t, 10> positions{};
    for (int i = 1; i <= 10; ++i)
        positions.at(i - 1) = g.position(i);

    for (int tick = 0; tick < 30; ++tick)
        g.step();
    for (int i = 1; i <= 10; ++i) {
        QCOMPARE(g.position(i), positions.at(i - 1));
        QCOMPARE(g.drawing(i), GameLogic::Drawing{});
    }
    QCOMPARE(g.scoreLine(), QStringLiteral("Bon : 10  Erreurs : 0"));
}

void TestJeuLogic::wordsGameKeepsItemsSixToTen()
{
    GameLogic g = seeded(11);
    g.setIni(1);
    g.drawPositions();
    g.step();
    QStringList letters;
    for (int i = 6; i <= 10; ++i)
        letters << g.item(i);
    std::array<std::int32_t, 10> positions{};
    for (int i = 1; i <= 10; ++i)
        positions.at(i - 1) = g.position(i);

    g.setIni(2);
    const QStringList words = wordList();
    for (int i = 1; i <= 5; ++i)
        QVERIFY(words.contains(g.item(i)));
    for (int i = 6; i <= 10; ++i)
        QCOMPARE(g.item(i), letters.at(i - 6));

    // Game 2 never looks at them: they neither fall, nor are lost, nor are hit.
    for (int k = 0; k < 20; ++k)
        g.step();
    for (int i = 6; i <= 10; ++i) {
        QCOMPARE(g.item(i), letters.at(i - 6));
        QCOMPARE(g.position(i), positions.at(i - 1));
        QCOMPARE(g.drawing(i), GameLogic::Drawing{});
    }
    QVERIFY(!g.falling()); // every word went past the bottom
    g.keyPress(letters.first().at(0));
    QCOMPARE(g.item(6), letters.first());
    QCOMPARE(g.good(), 0);
}

void TestJeuLogic::switchingGameKeepsPositions()
{
    GameLogic g = seeded(13);
    g.setIni(1);
    g.drawPositions();
    g.step();
    g.step();
    g.keyPress(g.item(1).at(0));
    std::array<std::int32_t, 10> positions{};
    for (int i = 1; i <= 10; ++i)
        positions.at(i - 1) = g.position(i);

    g.setIni(2);
    QCOMPARE(g.good(), 0);
    QCOMPARE(g.errors(), 0);
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(g.position(i), positions.at(i - 1));

    // The new words carry on from where the letters were, at the word columns;
    // the letters drawn in the other columns are gone.
    g.step();
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(g.drawing(i), (GameLogic::Drawing{g.item(i), 100 * i, positions.at(i - 1) + 20}));
    for (int i = 6; i <= 10; ++i)
        QCOMPARE(g.drawing(i), GameLogic::Drawing{});
}

void TestJeuLogic::unknownCodePlaysNothing()
{
    GameLogic g = seeded(17);
    g.setIni(1);
    g.drawPositions();
    g.step();
    const auto screen = g.screen();
    QStringList items;
    for (int i = 1; i <= 10; ++i)
        items << g.item(i);

    for (std::int32_t code : {0, 3, -1, std::numeric_limits<std::int32_t>::max()}) {
        g.setIni(code);
        g.step();
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(g.item(i), items.at(i - 1));
            QVERIFY(!g.keyPress(items.at(i - 1).at(0)));
        }
        QCOMPARE(g.screen(), screen);
        QCOMPARE(g.scoreLine(), QStringLiteral("Bon : 0  Erreurs : 0"));
        QVERIFY(!g.falling());
    }
}

QTEST_GUILESS_MAIN(TestJeuLogic)
#include "tst_jeu_logic.moc"
