// Line judging of the text lesson on plain strings: a line is accepted when
// it equals the model line; otherwise the first differing model character
// is reported, unless the typed line merely extends the model line.
#include "drills/textjudge.h"
#include "drills/texttexts.h"

#include <QtTest>

namespace {
QString model(int code, int line)
{
    return QString::fromUtf8(textLines(code)[std::size_t(line - 1)].text);
}
} // namespace

class TestTexteJudge : public QObject
{
    Q_OBJECT
private slots:
    void judge_data();
    void judge();
    void everyModelLineAcceptsItself();
    void ownTextLeniency_data();
    void ownTextLeniency();
    void followsTheTypedLine_data();
    void followsTheTypedLine();
};

namespace {
// The lessons' rule on a layout that lacks `untypable`.
TextJudge::Leniency lacking(const QString &untypable)
{
    return {QChar(0xFFFD), [untypable](QChar c) {
                return keyboard::acceptance(c, [&untypable](QChar x) { return !untypable.contains(x); });
            }};
}
} // namespace

void TestTexteJudge::judge_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("position");

    const QString title = model(1, 1); // bold in the model; styles are not compared
    QTest::newRow("title") << title << QStringLiteral("Les fonctions de base") << true << 0;
    QTest::newRow("title minus its last letter") << title << title.chopped(1) << false << 21;
    QTest::newRow("title plus one letter") << title << title + u's' << false << 0;
    QTest::newRow("title in capitals") << title << title.toUpper() << false << 2;
    QTest::newRow("letter case in the middle")
        << title << QStringLiteral("Les Fonctions de base") << false << 5;
    QTest::newRow("missing accent") << model(1, 4) << QStringLiteral("chaque ligne avec la touche Entree")
                                    << false << 33;

    const QString blankEnd = model(1, 6);
    QTest::newRow("trailing blank typed")
        << blankEnd << QStringLiteral("Pour s\u00e9lectionner du texte : ") << true << 0;
    QTest::newRow("trailing blank missing")
        << blankEnd << QStringLiteral("Pour s\u00e9lectionner du texte :") << false << 29;

    const QString letter = model(5, 6);
    QTest::newRow("five tabs") << letter << QStringLiteral("\t\t\t\t\tHenriette Vallet") << true << 0;
    QTest::newRow("four tabs") << letter << QStringLiteral("\t\t\t\tHenriette Vallet") << false << 5;
    QTest::newRow("six tabs") << letter << QStringLiteral("\t\t\t\t\t\tHenriette Vallet") << false << 6;
    QTest::newRow("blanks for tabs") << letter << QStringLiteral("     Henriette Vallet") << false << 1;

    QTest::newRow("empty line on empty model line") << model(1, 2) << QString() << true << 0;
    QTest::newRow("blank on empty model line") << QString() << QStringLiteral(" ") << false << 0;
    QTest::newRow("nothing typed") << title << QString() << false << 1;
    QTest::newRow("past the end, empty") << QString() << QString() << true << 0;
    QTest::newRow("bar and backslash") << model(1, 19)
                                       << QStringLiteral("Les caract\u00e8res sp\u00e9ciaux #{[/\\@]} sont "
                                                         "accessibles en maintenant")
                                       << false << 28;
}

void TestTexteJudge::judge()
{
    QFETCH(QString, model);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, position);
    const TextJudge::Verdict verdict = TextJudge::judge(model, typed);
    QCOMPARE(verdict.accepted, accepted);
    QCOMPARE(verdict.position, position);
    QCOMPARE(TextJudge::PosErr(model, typed), position);
}

void TestTexteJudge::everyModelLineAcceptsItself()
{
    for (int code = 1; code <= 7; ++code)
        for (const TextLine &line : textLines(code)) {
            const QString text = QString::fromUtf8(line.text);
            QVERIFY(TextJudge::judge(text, text).accepted);
            if (!text.isEmpty())
                QVERIFY(!TextJudge::judge(text, text.chopped(1)).accepted);
        }
}

void TestTexteJudge::ownTextLeniency_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("untypable"); // characters the layout lacks
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("position");

    const QString quote = QStringLiteral("\u00ab\u00a0Oui\u00a0\u00bb");
    QTest::newRow("typed as is") << quote << quote << QString() << true << 0;
    QTest::newRow("plain spelling where the layout lacks the signs")
        << quote << QStringLiteral("\" Oui \"") << QStringLiteral("\u00ab\u00bb\u00a0") << true << 0;
    QTest::newRow("plain spelling refused where the layout has them")
        << quote << QStringLiteral("\" Oui \"") << QString() << false << 1;
    QTest::newRow("oe for the ligature")
        << QStringLiteral("\u0153uvre") << QStringLiteral("oeuvre") << QStringLiteral("\u0153") << true << 0;
    QTest::newRow("ellipsis as three dots")
        << QStringLiteral("Et\u2026") << QStringLiteral("Et...") << QStringLiteral("\u2026") << true << 0;
    QTest::newRow("half a plain spelling")
        << QStringLiteral("Et\u2026") << QStringLiteral("Et..") << QStringLiteral("\u2026") << false << 3;
    QTest::newRow("sign skipped") << QStringLiteral("Bravo \uFFFD !") << QStringLiteral("Bravo  !")
                                  << QString() << true << 0;
    QTest::newRow("error after a sign")
        << QStringLiteral("\uFFFD\uFFFDab") << QStringLiteral("ax") << QString() << false << 4;
    QTest::newRow("extended line") << QStringLiteral("ab\uFFFD") << QStringLiteral("abc") << QString()
                                   << false << 0;
    QTest::newRow("apostrophe for ’ on any layout")
        << QStringLiteral("C\u2019est") << QStringLiteral("C'est") << QString() << true << 0;
    QTest::newRow("untypable letter passed over")
        << QStringLiteral("No\u00ebl") << QStringLiteral("Nol") << QStringLiteral("\u00eb") << true << 0;
    QTest::newRow("untypable letter typed all the same")
        << QStringLiteral("No\u00ebl") << QStringLiteral("No\u00ebl") << QStringLiteral("\u00eb") << true
        << 0;
}

void TestTexteJudge::followsTheTypedLine_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("untypable");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("standInTyped");
    QTest::addColumn<QString>("passed");
    QTest::newRow("start") << QStringLiteral("ab") << QString() << QString() << 0 << 0 << QString();
    QTest::newRow("end of line") << QStringLiteral("ab") << QStringLiteral("ab") << QString() << 2 << 0
                                 << QString();
    QTest::newRow("after a stand-in") << QStringLiteral("\u0153uf") << QStringLiteral("oe")
                                      << QStringLiteral("\u0153") << 1 << 0 << QString();
    QTest::newRow("inside a stand-in") << QStringLiteral("Et\u2026!") << QStringLiteral("Et..")
                                       << QStringLiteral("\u2026") << 2 << 2 << QString();
    QTest::newRow("passed over before")
        << QStringLiteral("2\u00a0\u20ac.") << QStringLiteral("2 ") << QStringLiteral("\u00a0\u20acEU") << 3
        << 0 << QStringLiteral("\u20ac");
    QTest::newRow("sign of an own text") << QStringLiteral("a\uFFFDb") << QStringLiteral("a") << QString()
                                         << 2 << 0 << QStringLiteral("\uFFFD");
    QTest::newRow("gone wrong") << QStringLiteral("abc") << QStringLiteral("ax") << QString() << -1 << 0
                                << QString();
    QTest::newRow("typed past the end")
        << QStringLiteral("ab") << QStringLiteral("abc") << QString() << -1 << 0 << QString();
}

// Where the guide stands in a line being typed.
void TestTexteJudge::followsTheTypedLine()
{
    QFETCH(QString, model);
    QFETCH(QString, typed);
    QFETCH(QString, untypable);
    const TextJudge::Place place = TextJudge::follow(model, typed, lacking(untypable));
    QTEST(int(place.next), "next");
    QTEST(place.standInTyped, "standInTyped");
    QTEST(place.passed, "passed");
}

void TestTexteJudge::ownTextLeniency()
{
    QFETCH(QString, model);
    QFETCH(QString, typed);
    QFETCH(QString, untypable);
    QFETCH(bool, accepted);
    QFETCH(int, position);
    const TextJudge::Verdict verdict = TextJudge::judge(model, typed, lacking(untypable));
    QCOMPARE(verdict.accepted, accepted);
    QCOMPARE(verdict.position, position);
}

QTEST_GUILESS_MAIN(TestTexteJudge)
#include "tst_texte_judge.moc"
