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
};

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

QTEST_GUILESS_MAIN(TestTexteJudge)
#include "tst_texte_judge.moc"
