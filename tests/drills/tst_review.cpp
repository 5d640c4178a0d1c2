// The personal review without widgets: which characters it drills, the lines
// it makes of them, and how it moves on.
#include "drills/exercisetexts.h"
#include "drills/review.h"
#include "keymodel/keymodel.h"

#include <QRegularExpression>
#include <QtTest>

using progress::Confusion;
using progress::KeyStat;

namespace {

// Every letter typed well at 200 ms, then the weak ones as "key:typed/missed:ms"
// (ms per right key).
QList<KeyStat> history(const QStringList &weak)
{
    QMap<QString, KeyStat> keys;
    for (QChar c : QStringLiteral("abcdefghijklmnopqrstuvwxyz"))
        keys[c] = KeyStat{c, 100, 1, 100 * 200, 100};
    for (const QString &w : weak) {
        const QStringList f = w.split(QLatin1Char(':'));
        const QStringList counts = f[1].split(QLatin1Char('/'));
        const int typed = counts[0].toInt();
        keys[f[0]] = KeyStat{f[0], typed, counts[1].toInt(), qint64(typed) * f[2].toInt(), typed};
    }
    return keys.values();
}

double share(const QString &text, const QStringList &keys)
{
    qsizetype hits = 0;
    for (const QString &k : keys)
        hits += text.count(k);
    return text.isEmpty() ? 0 : double(hits) / double(text.size());
}

QString exerciseLines()
{
    QString all;
    for (int code = 1; code < drills::FirstFrenchExercise; ++code) // the eighteen
        for (const char *line : drills::exerciseText(code)->models)
            all += QString::fromUtf8(line);
    return all;
}

// The lines of one of the list's source files, without comments.
QStringList sourceLines(const char *name)
{
    QFile file(QStringLiteral(REVIEW_WORDS_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    return lines;
}

QMap<QString, KeyStat> lineResult(const QString &key, int typed, int missed, int ms)
{
    return {{key, KeyStat{key, typed, missed, qint64(typed) * ms, typed}}};
}

} // namespace

class TestReview : public QObject
{
    Q_OBJECT
private slots:
    void focusIsDrilled_data();
    void focusIsDrilled();
    void sameHistoryAndSeedSameLines();
    void stalledFocusStepsBack_data();
    void stalledFocusStepsBack();
    void firstRunGivesHomeRow();
    void listIsFrequentFrenchWords();
    void listKeepsOut_data();
    void listKeepsOut();
    void signsInFrenchContexts_data();
    void signsInFrenchContexts();
    void onlyTaughtCharacters_data();
    void onlyTaughtCharacters();
};

void TestReview::focusIsDrilled_data()
{
    QTest::addColumn<QStringList>("weak");
    QTest::addColumn<QStringList>("focus");
    QTest::addColumn<QString>("instruction");
    QTest::newRow("accents and b") << QStringList{"é:20/10:300", "ç:10/6:300", "b:30/9:300"}
                                   << QStringList{"ç", "é", "b"}
                                   << QStringLiteral(
                                          "Révision\u00a0: ç, é et b — vos caractères les plus manqués");
    QTest::newRow("slow but right") << QStringList{"p:100/1:900", "v:100/1:700", "x:100/1:600"}
                                    << QStringList{"p", "v", "x"}
                                    << QStringLiteral(
                                           "Révision\u00a0: p, v et x — vos caractères les plus manqués");
    QTest::newRow("capital digit sign")
        << QStringList{"E:10/5:300", "7:10/4:300", "?:10/5:300", "è:10/5:300"}
        << QStringList{"?", "E", "è", "7"}
        << QStringLiteral("Révision\u00a0: ?, E, è et 7 — vos caractères les plus manqués");
    QTest::newRow("key names ignored")
        << QStringList{"Entrée:5/5:300", "g:20/5:300", "h:20/4:300", "k:20/4:300"}
        << QStringList{"g", "h", "k"}
        << QStringLiteral("Révision\u00a0: g, h et k — vos caractères les plus manqués");
    QTest::newRow("what the keyboard cannot give ignored")
        << QStringList{u"中:10/8:300"_qs, u"ж:10/8:300"_qs, u"\u0001:10/8:300"_qs,
                       "g:20/5:300",      "h:20/4:300",     "k:20/4:300"}
        << QStringList{"g", "h", "k"}
        << QStringLiteral("Révision\u00a0: g, h et k — vos caractères les plus manqués");
}

void TestReview::focusIsDrilled()
{
    QFETCH(QStringList, weak);
    QFETCH(QStringList, focus);
    QFETCH(QString, instruction);
    static const std::unique_ptr<keyboard::KeyModel> french = keyboard::KeyModel::fromLayoutName(u"fr"_qs);
    drills::Review review;
    review.setTypable([](QChar c) { return !keyboard::acceptance(*french, c).skipped(); });
    review.start(history(weak), {Confusion{focus[0], QStringLiteral("a"), 4}}, 7);
    QCOMPARE(review.focus().focus(), focus);
    QCOMPARE(review.instruction(), instruction);
    QString lines;
    for (int i = 0; i < 30; ++i) {
        const QString line = review.nextLine();
        QVERIFY2(line.size() <= drills::Review::kLineLength && line.size() > 30, qPrintable(line));
        lines += line;
        // Elided words (l', qu') and e-mail addresses apart.
        static const QRegularExpression word(
            QStringLiteral("(?:\\b(?:[cdjlmnst]|qu|jusqu)['’])?(\\p{L}+(-\\p{L}+)*)(?!@)"));
        for (auto it = word.globalMatch(QString(line).remove(QRegularExpression(QStringLiteral("@\\S+"))));
             it.hasNext();) {
            const QString w = it.next().captured(1);
            QVERIFY2(review.knows(w.toLower()), qPrintable(w + QStringLiteral(" in ") + line));
        }
    }
    const double inReview = share(lines, focus);
    const double inExercises = share(exerciseLines(), focus);
    QVERIFY2(inReview >= 3 * inExercises,
             qPrintable(QStringLiteral("%1 vs %2").arg(inReview).arg(inExercises)));
}

void TestReview::sameHistoryAndSeedSameLines()
{
    const QList<KeyStat> keys = history({"é:20/10:300", "b:30/9:300", "q:30/9:300"});
    const QList<Confusion> confusions{{QStringLiteral("q"), QStringLiteral("a"), 6}};
    drills::Review a;
    drills::Review b;
    drills::Review c;
    a.start(keys, confusions, 42);
    b.start(keys, confusions, 42);
    c.start(keys, confusions, 43);
    QStringList linesA, linesB, linesC;
    for (int i = 0; i < 6; ++i) {
        linesA << a.nextLine();
        linesB << b.nextLine();
        linesC << c.nextLine();
    }
    QCOMPARE(linesA, linesB);
    QVERIFY(linesA != linesC);
    // The confused "a" comes up among the "q" words.
    QVERIFY(linesA.join(QLatin1Char(' ')).contains(QLatin1Char('a')));
}

void TestReview::stalledFocusStepsBack_data()
{
    // Lines of "é" typed after the review began, as "typed/missed/ms".
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("stays");
    QTest::newRow("three lines no better: steps back")
        << QStringList{"6/2/300", "6/2/300", "7/3/300", "6/2/300"} << false;
    QTest::newRow("two lines no better: stays") << QStringList{"6/2/300", "6/2/300", "7/3/300"} << true;
    QTest::newRow("fewer errors each time: stays")
        << QStringList{"6/3/300", "6/2/300", "7/2/300", "8/1/300"} << true;
    QTest::newRow("faster each time: stays")
        << QStringList{"6/2/300", "6/2/290", "6/2/280", "6/2/270"} << true;
    QTest::newRow("accurate and in pace: leaves") << QStringList{"20/0/210"} << false;
    QTest::newRow("accurate but slow: stays") << QStringList{"20/0/300"} << true;
}

void TestReview::stalledFocusStepsBack()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, stays);
    drills::Review review;
    review.start(history({"é:20/10:300", "b:30/6:300", "ç:30/6:300", "x:30/5:300"}), {}, 1);
    QCOMPARE(review.focus().focus(), (QStringList{"é", "b", "ç", "x"}));
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char('/'));
        review.lineDone(lineResult(QStringLiteral("é"), f[0].toInt(), f[1].toInt(), f[2].toInt()));
    }
    QCOMPARE(review.focus().focus().contains(QStringLiteral("é")), stays);
    // The next weakest has come forward in its place.
    if (!stays)
        QCOMPARE(review.focus().focus().size(), 3);
}

void TestReview::firstRunGivesHomeRow()
{
    drills::Review review;
    review.start({}, {}, 3);
    QVERIFY(review.instruction().contains(QStringLiteral("pas encore de séance")));
    static const QRegularExpression homeRow(QStringLiteral("^[qsdfghjklm ]+$"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(homeRow.match(review.nextLine()).hasMatch());
}

void TestReview::listIsFrequentFrenchWords()
{
    QHash<QString, QString> frequent; // word -> its mark, "nom" or "anglais"
    for (const QString &line : sourceLines("frequent.txt"))
        frequent.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 1));
    QSet<QString> blocked;
    QStringList stems;
    for (const QString &line : sourceLines("blocked.txt"))
        for (const QString &w : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            w.endsWith(QLatin1Char('*')) ? void(stems << w.chopped(1)) : void(blocked.insert(w));
    QVERIFY(frequent.size() > 10000 && blocked.size() > 50 && stems.size() > 50);
    const auto words = drills::reviewWords();
    QVERIFY(words.size() > 10000);
    for (const drills::ReviewWord &w : words) {
        const QString word = QString::fromUtf8(w.text);
        QVERIFY2(frequent.contains(word), qPrintable(word));
        QVERIFY2(frequent.value(word).isEmpty(),
                 qPrintable(word + QStringLiteral(": ") + frequent.value(word)));
        QVERIFY2(!blocked.contains(word), qPrintable(word));
        for (const QString &stem : stems)
            QVERIFY2(!word.startsWith(stem), qPrintable(word + QStringLiteral(" from ") + stem));
    }
}

void TestReview::listKeepsOut_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("known");
    const char *out[] = {"nazi",   "squaw", "coït",  "coke",   "kiff",  "merde", "book",
                         "show",   "walk",  "paris", "tarzan", "jack",  "qu",    "pa",
                         "drills", "voila", "coeur", "oeuf",   "est-ce"};
    for (const char *w : out)
        QTest::newRow(w) << QString::fromUtf8(w) << false;
    const char *in[] = {"cœur", "œuf", "sœur", "kilo", "ski", "wagon", "yeux", "garçon", "où", "peut-être"};
    for (const char *w : in)
        QTest::newRow(w) << QString::fromUtf8(w) << true;
}

void TestReview::listKeepsOut()
{
    QFETCH(QString, word);
    QFETCH(bool, known);
    QCOMPARE(drills::Review().knows(word), known);
}

void TestReview::signsInFrenchContexts_data()
{
    // The focus sign, and the shape every token holding it takes.
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("shape");
    QTest::newRow("apostrophe") << u"'"_qs << u"(l|d|j|c|qu|n|s|m|jusqu)'\\p{L}+"_qs;
    QTest::newRow("guillemets") << u"«"_qs << u"«\u00a0\\p{L}{4,}\u00a0»"_qs;
    QTest::newRow("percent") << u"%"_qs << u"\\d+\u00a0%"_qs;
    QTest::newRow("euro") << u"€"_qs << u"\\d+,\\d\\d\u00a0€"_qs;
    QTest::newRow("at") << u"@"_qs << u"\\p{L}{4,}@exemple\\.fr"_qs;
    QTest::newRow("hyphen") << u"-"_qs << u"\\p{L}+(-\\p{L}+)+"_qs;
    QTest::newRow("semicolon") << u";"_qs << u"\\p{L}{4,}\u00a0;"_qs;
    QTest::newRow("ellipsis") << u"…"_qs << u"\\p{L}{4,}…"_qs;
}

void TestReview::signsInFrenchContexts()
{
    QFETCH(QString, sign);
    QFETCH(QString, shape);
    const QRegularExpression whole(QRegularExpression::anchoredPattern(shape));
    drills::Review review;
    review.start(history({sign + QStringLiteral(":20/10:300")}), {}, 5);
    int seen = 0;
    for (int i = 0; i < 10; ++i)
        for (const QString &token : review.nextLine().split(QLatin1Char(' ')))
            if (token.contains(sign)) {
                QVERIFY2(whole.match(token).hasMatch(), qPrintable(token));
                ++seen;
            }
    QVERIFY(seen > 20);
}

void TestReview::onlyTaughtCharacters_data()
{
    QTest::addColumn<QList<std::int32_t>>("passed");
    QTest::addColumn<QStringList>("weak"); // key:typed/missed:ms, of what was typed
    QTest::addColumn<QStringList>("focus");
    QTest::newRow("g missed twice in 49, after exercises 1 and 2")
        << QList<std::int32_t>{1, 2}
        << QStringList{"g:47/2:300", "h:49/0:300", "q:30/0:300", "m:30/0:300", "d:12/0:300", "k:12/0:300",
                       "a:40/0:300", "p:40/0:300", "s:6/0:300",  "f:6/0:300",  "l:6/0:300",  "j:6/0:300"}
        << QStringList{"g"};
    QTest::newRow("nothing passed yet")
        << QList<std::int32_t>{} << QStringList{"g:20/5:300", "h:20/4:300", "k:20/1:300"}
        << QStringList{"g", "h"};
    QTest::newRow("after the eight first")
        << QList<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8}
        << QStringList{"é:20/6:300", "b:30/5:300", "n:30/1:300", "t:60/1:300"} << QStringList{"é", "b"};
}

// Until the exercises teaching a character are passed, no review line
// holds it; a character missed a few times is reviewed at a low rate.
void TestReview::onlyTaughtCharacters()
{
    QFETCH(QList<std::int32_t>, passed);
    QFETCH(QStringList, weak);
    QFETCH(QStringList, focus);
    QList<KeyStat> keys;
    for (const QString &w : weak) {
        const QStringList f = w.split(QLatin1Char(':'));
        const QStringList counts = f[1].split(QLatin1Char('/'));
        keys << KeyStat{f[0], counts[0].toInt(), counts[1].toInt(), counts[0].toInt() * f[2].toLongLong(),
                        counts[0].toInt()};
    }
    const QString taught = drills::taughtCharacters(passed);
    drills::Review review;
    review.setTaught(taught);
    review.start(keys, {}, 11);
    QCOMPARE(review.focus().focus(), focus);
    for (int i = 0; i < 20; ++i) {
        const QString line = review.nextLine();
        QVERIFY2(line.size() > 30, qPrintable(line));
        for (QChar c : line)
            QVERIFY2(taught.contains(c), qPrintable(QStringLiteral("%1 in %2").arg(c).arg(line)));
        QVERIFY2(line.contains(focus.first()), qPrintable(line));
    }
}

QTEST_GUILESS_MAIN(TestReview)
#include "tst_review.moc"
