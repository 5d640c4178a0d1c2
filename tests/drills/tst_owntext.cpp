// The reader of the learner's own text: encodings, the signs it replaces
// and the files it refuses, each with a French reason naming the file.
#include "drills/owntext.h"
#include "ui/cp1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestOwnText : public QObject
{
    Q_OBJECT
private slots:
    void equivalentsAreWindows1252_data();
    void equivalentsAreWindows1252();
    void conversion_data();
    void conversion();
    void files_data();
    void files();
    void refusals_data();
    void refusals();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

QString TestOwnText::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

void TestOwnText::equivalentsAreWindows1252_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    for (const owntext::Equivalent &e : owntext::equivalents())
        QTest::newRow(e.name) << QString(QChar(e.from)) << QString::fromUtf8(e.to);
}

// Each sign comes out as its equivalent, which the lessons can show, and
// is named in the message.
void TestOwnText::equivalentsAreWindows1252()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QVERIFY(ui::unicodeToCp1252(from[0]) < 0);
    QVERIFY(ui::fitsCp1252(to));
    const owntext::Text t = owntext::fromText(QStringLiteral("a%1b").arg(from), QStringLiteral("t.txt"));
    QVERIFY(t.ok());
    QCOMPARE(t.text, QStringLiteral("a%1b").arg(to));
    QCOMPARE(t.replaced.size(), 1);
    QCOMPARE(t.replaced[0].count, 1);
    QVERIFY(t.report().contains(t.replaced[0].what));
}

void TestOwnText::conversion_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("replacements"); // distinct kinds

    const QString keep =
        QStringLiteral("\u00ab\u00a0Oui\u00a0\u00bb \u201cdit\u201d l\u2019\u00e9l\u00e8ve\u2026 "
                       "\u2013 \u2014 \u0153uvre \u20ac \u2122");
    QTest::newRow("Windows-1252 signs stay") << keep << keep << 0;
    QTest::newRow("narrow no-break space")
        << QStringLiteral("Quoi\u202f?") << QStringLiteral("Quoi\u00a0?") << 1;
    QTest::newRow("emoji") << QStringLiteral("Bravo \U0001F600 !") << QStringLiteral("Bravo \uFFFD !") << 1;
    QTest::newRow("another script") << QStringLiteral("\u03b1\u03b2 ou ab")
                                    << QStringLiteral("\uFFFD\uFFFD ou ab") << 2;
    QTest::newRow("decomposed accent")
        << QStringLiteral("e\u0301t\u00e9") << QStringLiteral("\u00e9t\u00e9") << 0;
    QTest::newRow("line ends") << QStringLiteral("a\r\nb\rc\nd\u2028e") << QStringLiteral("a\nb\nc\nd\ne")
                               << 0;
    QTest::newRow("blanks at line ends")
        << QStringLiteral("a \t\nb\u00a0\n\n\n") << QStringLiteral("a\nb") << 0;
    const QString more = (u'\n' + QString(60, u'c')).repeated(2); // a stray code, not a binary file
    QTest::newRow("control code") << u"a\u0007b"_qs + more << u"a\uFFFDb"_qs + more << 1;
    // A line longer than the model's is cut before the last blank that fits.
    const QString a70(70, u'a'), b20(20, u'b');
    QTest::newRow("long line of words") << QStringLiteral("mot ").repeated(30)
                                        << QStringLiteral("mot ").repeated(20).trimmed() + u'\n' +
                                               QStringLiteral("mot ").repeated(10).trimmed()
                                        << 0;
    QTest::newRow("long line without a blank")
        << QString(200, u'b') << (b20.repeated(4) + u'\n').repeated(2) + b20 + b20 << 0;
    QTest::newRow("long line: a no-break space binds")
        << a70 + u" mots\u00a0"_qs + b20 << a70 + u"\nmots\u00a0"_qs + b20 << 0;
    QTest::newRow("long line: indent kept, blanks at the cut dropped")
        << u"\t\t"_qs + a70 + u" \t "_qs + a70 << u"\t\t"_qs + a70 + u'\n' + a70 << 0;
}

void TestOwnText::conversion()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(int, replacements);
    const owntext::Text t = owntext::fromText(input, QStringLiteral("t.txt"));
    QVERIFY(t.ok());
    QCOMPARE(t.text, output);
    QCOMPARE(t.replaced.size(), replacements);
    QCOMPARE(t.report().isEmpty(), replacements == 0 && t.cutLines == 0);
}

void TestOwnText::files_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("replacements"); // distinct kinds
    const QByteArray utf8 =
        QStringLiteral("\u00ab\u202fC\u2019est l\u2019\u00e9t\u00e9\u202f\u00bb \U0001F31E\r\n"
                       "fin\r\n")
            .toUtf8();
    QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + utf8 << 2;
    QTest::newRow("UTF-8 without") << utf8 << 2;
    QTest::newRow("Windows-1252") << QByteArray("\xAB\xA0"
                                                "C\x92"
                                                "est l\x92\xE9t\xE9\xA0\xBB \x85\r\nfin")
                                  << 0;
}

// « », ’ and accents come through in either encoding; the narrow spaces
// and the emoji are replaced and listed, the two spaces counted together.
void TestOwnText::files()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, replacements);
    const owntext::Text t = owntext::readFile(write(QStringLiteral("lettre.txt"), bytes));
    QVERIFY2(t.ok(), qPrintable(t.error));
    QCOMPARE(t.title, QStringLiteral("lettre.txt"));
    const QString last = replacements ? QStringLiteral("\uFFFD") : QStringLiteral("\u2026");
    QCOMPARE(t.text,
             QStringLiteral("\u00ab\u00a0C\u2019est l\u2019\u00e9t\u00e9\u00a0\u00bb %1\nfin").arg(last));
    QCOMPARE(t.replaced.size(), replacements);
    if (replacements) {
        QCOMPARE(t.replaced[0].count, 2);
        QVERIFY(t.replaced[1].skipped);
        QVERIFY(t.report().contains(
            QStringLiteral("espace fine ins\u00e9cable \u2192 espace ins\u00e9cable\u00a0: 2 fois")));
        QVERIFY(t.report().contains(QStringLiteral("\U0001F31E")));
    }
}

void TestOwnText::refusals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("binary") << "binary"
                            << "ce n'est pas un fichier texte";
    QTest::newRow("PDF") << "pdf"
                         << "c'est un document PDF";
    QTest::newRow("larger than 1 MB") << "big"
                                      << "il fait plus de 1\u00a0Mo";
    QTest::newRow("unreadable") << "unreadable"
                                << "accès refusé";
    QTest::newRow("directory") << "directory"
                               << "c'est un dossier";
    QTest::newRow("named pipe") << "pipe"
                                << "c'est un tube nommé";
    QTest::newRow("dangling link") << "link"
                                   << "c'est un lien vers un fichier qui n'existe plus";
    QTest::newRow("missing") << "missing"
                             << "le fichier n'existe pas";
    QTest::newRow("empty") << "empty"
                           << "il est vide";
    QTest::newRow("blanks only") << "blanks"
                                 << "il ne contient que des blancs";
    QTest::newRow("control characters") << "controls"
                                        << "ce n'est pas un fichier texte";
    const char *nothing = "il ne contient aucun caractère que Tapivox sait écrire";
    QTest::newRow("emoji only") << "emoji" << nothing;
    QTest::newRow("Chinese only") << "cjk" << nothing;
    QTest::newRow("Hebrew and Arabic only") << "rtl" << nothing;
}

void TestOwnText::refusals()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString name = QStringLiteral("texte-%1.txt").arg(kind);
    const QString path = m_dir.filePath(name);
    // Bytes that could as well be copied to the clipboard.
    const QHash<QString, QByteArray> copiable{{"binary", QByteArray("abc\0\x01\x02"
                                                                    "def",
                                                                    9)},
                                              {"controls", QByteArray(3000, '\x01') + "abc"},
                                              {"blanks", " \t\r\n\xC2\xA0\r\n"},
                                              {"emoji", u"\U0001F600 \U0001F389\r\n"_qs.toUtf8()},
                                              {"cjk", u"中文\n字"_qs.toUtf8()},
                                              {"rtl", u"שלום مرحبا"_qs.toUtf8()}};
    if (copiable.contains(kind))
        write(name, copiable[kind]);
    else if (kind == u"pdf")
        write(name, "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n");
    else if (kind == u"big")
        write(name, QByteArray(owntext::kMaxBytes + 1, 'a'));
    else if (kind == u"unreadable") {
        write(name, "bonjour");
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0) == 0);
        if (::geteuid() == 0)
            QSKIP("root reads every file");
    } else if (kind == u"directory")
        QVERIFY(QDir(m_dir.path()).mkdir(name));
    else if (kind == u"pipe")
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (kind == u"link")
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("parti.txt")), path));
    else if (kind == u"empty")
        write(name, "\xEF\xBB\xBF");
    const owntext::Text t = owntext::readFile(path);
    QVERIFY(!t.ok());
    QVERIFY(t.text.isEmpty());
    QVERIFY2(t.error.contains(QStringLiteral("«\u00a0%1\u00a0»").arg(name)), qPrintable(t.error));
    QVERIFY2(t.error.contains(reason), qPrintable(t.error));
    // The same bytes on the clipboard are judged as the file is.
    if (!copiable.contains(kind))
        return;
    const owntext::Text copied =
        owntext::fromText(QString::fromUtf8(copiable[kind]), owntext::clipboardTitle());
    QVERIFY2(copied.error.startsWith(QStringLiteral("Le presse-papiers")), qPrintable(copied.error));
    QVERIFY2(copied.error.contains(
                 QString(reason).replace(QStringLiteral("un fichier texte"), QStringLiteral("du texte"))),
             qPrintable(copied.error));
}

QTEST_GUILESS_MAIN(TestOwnText)
#include "tst_owntext.moc"
