// The words of the French exercises are spelled right: each is in Debian's
// French word list (package wfrench), which writes œ and æ as two letters.
#include "drills/exercisetexts.h"

#include <QFile>
#include <QSet>
#include <QtTest>

namespace {

QSet<QString> frenchWords()
{
    QSet<QString> words;
    QFile file(QStringLiteral(FRENCH_WORDS));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return words;
    while (!file.atEnd())
        words.insert(QString::fromUtf8(file.readLine()).trimmed());
    return words;
}

QString asListed(QString word)
{
    return word.toLower()
        .replace(QStringLiteral("œ"), QStringLiteral("oe"))
        .replace(QStringLiteral("æ"), QStringLiteral("ae"));
}

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// The words of a line missing from the list. Single letters (l’, à, a, x in
// a formula) are not checked, nor e-mail addresses; a word elided before an
// apostrophe (qu’, jusqu’) is found with its e.
QStringList misspelled(const QString &line, const QSet<QString> &words)
{
    QStringList missing;
    const QStringList tokens =
        line.split(QRegularExpression(QStringLiteral("[ \\x{00A0}]")), Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        if (token.contains(QLatin1Char('@')))
            continue;
        for (qsizetype i = 0; i < token.size();) {
            if (!token.at(i).isLetter()) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < token.size() && token.at(end).isLetter())
                ++end;
            const QString word = asListed(token.mid(i, end - i));
            const bool elided = end < token.size() && isApostrophe(token.at(end));
            if (word.size() > 1 && !words.contains(word) &&
                !(elided && words.contains(word + QLatin1Char('e'))))
                missing << token.mid(i, end - i);
            i = end;
        }
    }
    return missing;
}

} // namespace

class TestExosSpelling : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyWordIsFrench_data();
    void everyWordIsFrench();

private:
    QSet<QString> m_words;
};

void TestExosSpelling::initTestCase()
{
    if (!QFile::exists(QStringLiteral(FRENCH_WORDS)))
        QSKIP("Liste de mots français absente (" FRENCH_WORDS ") : installez le paquet wfrench.");
    m_words = frenchWords();
    QVERIFY(m_words.contains(QStringLiteral("oeuvre")));
}

void TestExosSpelling::everyWordIsFrench_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("line");
    for (int code = drills::FirstFrenchExercise; code <= drills::ExerciseCount; ++code)
        for (int line = 0; line < 3; ++line)
            QTest::addRow("exercise %d line %d", code, line + 1) << code << line;
}

void TestExosSpelling::everyWordIsFrench()
{
    QFETCH(int, code);
    QFETCH(int, line);
    const QString text = QString::fromUtf8(drills::exerciseText(code)->models[line]);
    const QStringList missing = misspelled(text, m_words);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(TestExosSpelling)
#include "tst_exos_spelling.moc"
