// The drills' judging engine driven by keys alone, without any widget.
#include "drills/linedrill.h"
#include "drills/phrasedrill.h"
#include "drills/phrasetexts.h"
#include "ui/cp1252.h"

#include <QtTest>

using drills::Highlight;
using drills::LineDrill;
using drills::PhraseDrill;
using drills::Verdict;

namespace {

// Runs a key script on a drill. Tokens, separated by blanks:
//   "1:abc"   types abc in typing line 1, the caret at the end of its text;
//   "1@0:a"   types a in line 1 with the caret at offset 0;
//   "1#8"     types the character code 8 in line 1;
//   "E2"      enters typing line 2 (a click or Tab).
// Returns the verdict of the last key.
template <typename Judge> Verdict typeText(LineDrill &lines, int line, const QString &text, Judge judge)
{
    Verdict last;
    for (QChar ch : text)
        last = judge(line, int(lines.typed(line).size()), quint8(ui::unicodeToCp1252(ch)));
    return last;
}

template <typename Judge> Verdict run(LineDrill &lines, const QString &script, Judge judge)
{
    Verdict last;
    for (const QString &token : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token.startsWith(QLatin1Char('E'))) {
            lines.enter(token.mid(1).toInt());
            continue;
        }
        const int line = token.at(0).digitValue();
        if (token.at(1) == QLatin1Char('#')) {
            last = judge(line, int(lines.typed(line).size()), quint8(token.mid(2).toInt()));
            continue;
        }
        int caret = -1;
        qsizetype colon = token.indexOf(QLatin1Char(':'));
        if (token.at(1) == QLatin1Char('@'))
            caret = token.mid(2, colon - 2).toInt();
        for (QChar ch : token.mid(colon + 1)) {
            const int at = caret >= 0 ? caret : int(lines.typed(line).size());
            last = judge(line, at, quint8(ui::unicodeToCp1252(ch)));
        }
    }
    return last;
}

} // namespace

class TestExosJudge : public QObject
{
    Q_OBJECT
private slots:
    void judging_data();
    void judging();
    void plainEquivalents_data();
    void plainEquivalents();
    void pages_data();
    void pages();
    void unknownCategoryKeepsTexts();
};

void TestExosJudge::judging_data()
{
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("highlights"); // start, length of the three model lines
    QTest::addColumn<int>("active");
    QTest::addColumn<bool>("inserted"); // the last key goes into its line
    QTest::addColumn<int>("focus");     // the last key's focus move

    const QStringList ex1 = {u"gh hg gh"_qs, u"qg mh"_qs, u"dg kh"_qs};
    const QStringList abc = {u"ab"_qs, u"cd"_qs, u"ef"_qs};
    QTest::newRow("fresh start") << ex1 << "" << 0 << 0 << QStringList{"", "", ""}
                                 << QList<int>{0, 1, 0, 0, 0, 0} << 0 << false << -1;
    QTest::newRow("g then x") << ex1 << "0:gx" << 1 << 1 << QStringList{"g", "", ""}
                              << QList<int>{1, 1, 0, 0, 0, 0} << 0 << false << -1;
    QTest::newRow("right key") << ex1 << "0:gh" << 2 << 0 << QStringList{"gh", "", ""}
                               << QList<int>{2, 1, 0, 0, 0, 0} << 0 << true << -1;
    QTest::newRow("backspace never deletes") << ex1 << "0:gh 0#8" << 2 << 1 << QStringList{"gh", "", ""}
                                             << QList<int>{2, 1, 0, 0, 0, 0} << 0 << false << -1;
    QTest::newRow("enter and escape") << ex1 << "0#13 0#27 0#10" << 0 << 3 << QStringList{"", "", ""}
                                      << QList<int>{0, 1, 0, 0, 0, 0} << 0 << false << -1;
    QTest::newRow("ctrl v x c z") << ex1 << "0#22 0#24 0#3 0#26 0#9" << 0 << 5 << QStringList{"", "", ""}
                                  << QList<int>{0, 1, 0, 0, 0, 0} << 0 << false << -1;
    QTest::newRow("case counts") << QStringList{"Ab", "c", "d"} << "0:a" << 0 << 1 << QStringList{"", "", ""}
                                 << QList<int>{0, 1, 0, 0, 0, 0} << 0 << false << -1;
    QTest::newRow("accents count") << QStringList{u"é"_qs, "c", "d"} << "0:eè" << 0 << 2
                                   << QStringList{"", "", ""} << QList<int>{0, 1, 0, 0, 0, 0} << 0 << false
                                   << -1;
    QTest::newRow("line 1 done moves on") << abc << "0:ab" << 2 << 0 << QStringList{"ab", "", ""}
                                          << QList<int>{2, 0, 0, 1, 0, 0} << 1 << true << 1;
    QTest::newRow("line 2 done moves on") << abc << "0:ab 1:cd" << 4 << 0 << QStringList{"ab", "cd", ""}
                                          << QList<int>{2, 0, 2, 0, 0, 1} << 2 << true << 2;
    QTest::newRow("line 3 has no end") << abc << "0:ab 1:cd 2:ef" << 6 << 0 << QStringList{"ab", "cd", "ef"}
                                       << QList<int>{2, 0, 2, 0, 2, 1} << 2 << true << -1;
    QTest::newRow("past the end refused")
        << abc << "0:ab 1:cd 2:ef 2:fe 2#32" << 6 << 3 << QStringList{"ab", "cd", "ef"}
        << QList<int>{2, 0, 2, 0, 2, 1} << 2 << false << -1;
    QTest::newRow("re-entering keeps counts")
        << abc << "0:ab 1:c 1:x E0" << 3 << 1 << QStringList{"", "c", ""} << QList<int>{0, 1, 1, 0, 0, 0} << 0
        << false << -1;
    QTest::newRow("entering line 3 directly") << abc << "E2 2:e" << 1 << 0 << QStringList{"", "", "e"}
                                              << QList<int>{0, 0, 0, 0, 1, 1} << 2 << true << -1;
    // The expected character follows the caret, the highlight the length.
    QTest::newRow("caret moved back")
        << QStringList{"abcabc", "d", "e"} << "0:abc 0@0:a" << 4 << 0 << QStringList{"aabc", "", ""}
        << QList<int>{4, 1, 0, 0, 0, 0} << 0 << true << -1;
    QTest::newRow("caret moved back completes")
        << QStringList{"aba", "d", "e"} << "0:ab 0@0:a" << 3 << 0 << QStringList{"aab", "", ""}
        << QList<int>{3, 0, 0, 1, 0, 0} << 1 << true << 1;
    QTest::newRow("empty model expects nothing")
        << QStringList{"", "", ""} << "0:a 0#32" << 0 << 2 << QStringList{"", "", ""}
        << QList<int>{0, 1, 0, 0, 0, 0} << 0 << false << -1;
}

void TestExosJudge::judging()
{
    QFETCH(QStringList, models);
    QFETCH(QString, script);
    LineDrill d;
    for (int i = 0; i < LineDrill::LineCount; ++i)
        d.setModel(i, models.at(i));
    d.restart();
    const Verdict last = run(d, script, [&](int l, int c, quint8 k) { return d.judge(l, c, k); });

    QTEST(int(d.good()), "good");
    QTEST(int(d.errors()), "errors");
    QTEST((QStringList{d.typed(0), d.typed(1), d.typed(2)}), "typed");
    QList<int> highlights;
    for (int i = 0; i < LineDrill::LineCount; ++i)
        highlights << d.highlight(i).start << d.highlight(i).length;
    QTEST(highlights, "highlights");
    QTEST(d.activeLine(), "active");
    QTEST(last.insert, "inserted");
    QTEST(last.focusLine, "focus");
}

void TestExosJudge::plainEquivalents_data()
{
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<QString>("untypable"); // what the layout cannot type
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("typed"); // typing line 1
    QTest::addColumn<int>("highlight"); // start in model line 1
    QTest::addColumn<bool>("partial");  // the last key
    QTest::addColumn<int>("active");    // a completed line hands on to the next

    const QStringList coeur = {u"cœur"_qs, u"x"_qs, u"y"_qs};
    QTest::newRow("oe for œ") << coeur << u"œ"_qs << "0:coeur" << 4 << 0 << u"cœur"_qs << 4 << false << 1;
    QTest::newRow("half shows as typed")
        << coeur << u"œ"_qs << "0:co" << 1 << 0 << u"co"_qs << 1 << true << 0;
    QTest::newRow("œ itself still right")
        << coeur << u"œ"_qs << "0:cœur" << 4 << 0 << u"cœur"_qs << 4 << false << 1;
    QTest::newRow("oe refused where œ is typable")
        << coeur << QString() << "0:coe" << 1 << 2 << u"c"_qs << 1 << false << 0;
    QTest::newRow("wrong key inside oe")
        << coeur << u"œ"_qs << "0:coxeur" << 4 << 1 << u"cœur"_qs << 4 << false << 1;
    QTest::newRow("œ after o refused")
        << coeur << u"œ"_qs << "0:coœ" << 1 << 1 << u"co"_qs << 1 << false << 0;
    QTest::newRow("re-entering drops the half")
        << coeur << u"œ"_qs << "0:co E0 0:c" << 2 << 0 << u"c"_qs << 1 << false << 0;
    QTest::newRow("space for the non-breaking space")
        << QStringList{u"oui\u00a0!"_qs, u"x"_qs, u"y"_qs} << u"\u00a0"_qs << "0:oui 0#32 0:!" << 5 << 0
        << u"oui\u00a0!"_qs << 5 << false << 1;
    QTest::newRow("quotes for guillemets")
        << QStringList{u"«\u00a0a\u00a0»"_qs, u"x"_qs, u"y"_qs} << u"«»\u00a0"_qs << "0:\" 0#32 0:a 0#32 0:\""
        << 5 << 0 << u"«\u00a0a\u00a0»"_qs << 5 << false << 1;
    QTest::newRow("three points end the line") << QStringList{u"a…"_qs, u"cd"_qs, u"ef"_qs} << u"…"_qs
                                               << "0:a..." << 2 << 0 << u"a…"_qs << 2 << false << 1;
    QTest::newRow("minus for both dashes") << QStringList{u"–—"_qs, u"x"_qs, u"y"_qs} << u"–—"_qs << "0:--"
                                           << 2 << 0 << u"–—"_qs << 2 << false << 1;
    QTest::newRow("apostrophe") << QStringList{u"l’eau"_qs, u"x"_qs, u"y"_qs} << u"’"_qs << "0:l'eau" << 5
                                << 0 << u"l’eau"_qs << 5 << false << 1;
    QTest::newRow("apostrophe where ’ is typable") << QStringList{u"l’eau"_qs, u"x"_qs, u"y"_qs} << QString()
                                                   << "0:l'eau" << 5 << 0 << u"l’eau"_qs << 5 << false << 1;
    QTest::newRow("untypable put in by the drill") << QStringList{u"aéb"_qs, u"x"_qs, u"y"_qs} << u"é"_qs
                                                   << "0:a" << 1 << 0 << u"aé"_qs << 2 << false << 0;
    QTest::newRow("untypable at both ends") << QStringList{u"éaé"_qs, u"x"_qs, u"y"_qs} << u"é"_qs << "0:a"
                                            << 1 << 0 << u"éaé"_qs << 3 << false << 1;
    QTest::newRow("untypable itself refused") << QStringList{u"aéb"_qs, u"x"_qs, u"y"_qs} << u"é"_qs
                                              << "0:aéb" << 2 << 1 << u"aéb"_qs << 3 << false << 1;
    QTest::newRow("no plain letter for a wrong accent") << QStringList{u"éa"_qs, u"x"_qs, u"y"_qs} << u"è"_qs
                                                        << "0:eè" << 0 << 2 << QString() << 0 << false << 0;
}

// Where the layout cannot type a character, its plain equivalent is right;
// each model character counts one good key however many keys it took.
void TestExosJudge::plainEquivalents()
{
    QFETCH(QStringList, models);
    QFETCH(QString, untypable);
    QFETCH(QString, script);
    LineDrill d;
    d.setAcceptance([untypable](QChar c) {
        return keyboard::acceptance(c, [&untypable](QChar x) { return !untypable.contains(x); });
    });
    for (int i = 0; i < LineDrill::LineCount; ++i)
        d.setModel(i, models.at(i));
    d.restart();
    const Verdict last = run(d, script, [&](int l, int c, quint8 k) { return d.judge(l, c, k); });

    QTEST(int(d.good()), "good");
    QTEST(int(d.errors()), "errors");
    QTEST(d.typed(0), "typed");
    QTEST(int(d.highlight(0).start), "highlight");
    QTEST(last.partial, "partial");
    QTEST(d.activeLine(), "active");
}

void TestExosJudge::pages_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("pagesDone");
    for (int category = 1; category <= drills::CategoryCount; ++category) {
        QTest::addRow("category %d page 1", category) << category << 1;
        QTest::addRow("category %d past page 2", category) << category << 2;
    }
}

// Completing the third line turns the page and keeps the counts; after page 2
// nothing more is loaded and the third line expects nothing.
void TestExosJudge::pages()
{
    QFETCH(int, category);
    QFETCH(int, pagesDone);
    PhraseDrill p;
    p.start(category);
    const drills::PhraseCategory *table = drills::phraseCategory(category);
    QCOMPARE(p.title(), QString::fromUtf8(table->title));
    auto judge = [&](int l, int c, quint8 k) { return p.judge(l, c, k); };

    qsizetype total = 0;
    Verdict last;
    for (int page = 0; page < pagesDone; ++page) {
        for (int i = 0; i < LineDrill::LineCount; ++i) {
            const QString model = QString::fromUtf8(table->pages[page].phrases[i]);
            QCOMPARE(p.lines().model(i), model);
            total += model.size();
            last = typeText(p.lines(), i, model, judge);
        }
        if (page + 1 < pagesDone)
            run(p.lines(), "0:#", judge); // one error on the way
    }
    QVERIFY(!last.insert);
    QCOMPARE(last.focusLine, 0);
    QCOMPARE(p.page(), pagesDone + 1);
    QCOMPARE(p.lines().good(), total);
    QCOMPARE(p.lines().errors(), pagesDone - 1);
    QCOMPARE(p.lines().activeLine(), 0);
    QCOMPARE(p.lines().highlight(0), (Highlight{0, 1}));
    for (int i = 0; i < LineDrill::LineCount; ++i)
        QCOMPARE(p.lines().typed(i), QString());
    // Page 2 is shown after page 1, and stays on show past the end.
    for (int i = 0; i < 2; ++i)
        QCOMPARE(p.lines().model(i), QString::fromUtf8(table->pages[1].phrases[i]));
    if (pagesDone == 1) {
        QCOMPARE(p.lines().model(2), QString::fromUtf8(table->pages[1].phrases[2]));
    } else {
        QCOMPARE(p.lines().model(2), QString());
        const std::int32_t errors = p.lines().errors();
        run(p.lines(), "2:a 2#32", judge);
        QCOMPARE(p.lines().errors(), errors + 2);
    }
}

void TestExosJudge::unknownCategoryKeepsTexts()
{
    PhraseDrill p;
    p.start(2);
    run(p.lines(), "0:Mx", [&](int l, int c, quint8 k) { return p.judge(l, c, k); });
    for (int code : {0, 7, -1}) {
        p.start(code);
        QCOMPARE(p.category(), code);
        QCOMPARE(p.page(), 1);
        QCOMPARE(p.lines().good(), 0);
        QCOMPARE(p.lines().errors(), 0);
        QCOMPARE(p.title(), u"Citations"_qs);
        QCOMPARE(p.lines().model(0), QString::fromUtf8(drills::phraseCategory(2)->pages[0].phrases[0]));
        QCOMPARE(p.lines().typed(0), QString());
    }
}

QTEST_GUILESS_MAIN(TestExosJudge)
#include "tst_exos_judge.moc"
