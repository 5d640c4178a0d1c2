// The notepad: the notes file both ways, failed writes, printing to a PDF.
#include "accessories/notesfile.h"
#include "accessories/tblocnotes.h"
#include "app/forms.h"
#include "support/testsupport.h"
#include "ui/accessories_printer.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestBlocnotes : public QObject
{
    Q_OBJECT
private slots:
    void noFileWritesNothing();
    void unchangedNotesAreNotWritten();
    void roundTrip_data();
    void roundTrip();
    void lineEnds_data();
    void lineEnds();
    void doubledSeparator();
    void failedWriteKeepsPreviousFile_data();
    void failedWriteKeepsPreviousFile();
    void unreadableFileIsReported();
    void linkedNotesFileStaysALink();
    void printsShownLinesToPdf();
    void withoutPrinterOffersPdf_data();
    void withoutPrinterOffersPdf();
    void programLoadsNotesAtStart();
};

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
void type(TBlocnotes &notes, const QString &text)
{
    notes.Memo1->moveCursor(QTextCursor::End);
    notes.Memo1->insertPlainText(text);
}
} // namespace

void TestBlocnotes::noFileWritesNothing()
{
    test::TempCwd cwd;
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    QCOMPARE(notes.notes(), QString());
    notes.Sauve(QStringLiteral("Tapivox.nte"));
    QVERIFY(!QFile::exists(cwd.file(QStringLiteral("Tapivox.nte"))));
}

void TestBlocnotes::unchangedNotesAreNotWritten()
{
    test::TempCwd cwd;
    writeAll(cwd.file(QStringLiteral("Tapivox.nte")), "a\nb");
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    notes.Sauve(QStringLiteral("Tapivox.nte"));
    QCOMPARE(readAll(cwd.file(QStringLiteral("Tapivox.nte"))), QByteArray("a\nb"));
}

void TestBlocnotes::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lines with CR LF") << "un\ndeux" << QByteArray("un\r\ndeux");
    QTest::newRow("final line break kept") << "un\n" << QByteArray("un\r\n");
    QTest::newRow("oe and euro as Windows-1252")
        << QStringLiteral("cœur 5 €\nété") << QByteArray("c\x9cur 5 \x80\r\n\xe9t\xe9");
    QTest::newRow("no-break space kept") << QStringLiteral("a\u00a0b")
                                         << QByteArray("a\xa0"
                                                       "b");
    QTest::newRow("outside Windows-1252 as UTF-8")
        << QStringLiteral("Ω et œ\nfin") << QByteArray("\xEF\xBB\xBF\xCE\xA9 et \xC5\x93\r\nfin");
}

void TestBlocnotes::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    test::TempCwd cwd;
    test::PrompterScope prompts;
    TBlocnotes written;
    type(written, text);
    written.Sauve(QStringLiteral("Tapivox.nte"));
    QCOMPARE(readAll(cwd.file(QStringLiteral("Tapivox.nte"))), bytes);
    TBlocnotes read;
    read.Charge(QStringLiteral("Tapivox.nte"));
    QCOMPARE(read.notes(), text);
    QVERIFY(!read.Memo1->document()->isModified());
    QVERIFY(prompts.fake().errors.isEmpty());
}

void TestBlocnotes::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("LF") << QByteArray("a\nb\n\nc") << "a\nb\n\nc";
    QTest::newRow("CR") << QByteArray("a\rb") << "a\nb";
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << "a\nb\n";
    QTest::newRow("mixed") << QByteArray("a\r\n\rb\n") << "a\n\nb\n";
}

void TestBlocnotes::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(notes::decode(bytes), text);
    // An edited note goes back with CR LF.
    test::TempCwd cwd;
    writeAll(cwd.file(QStringLiteral("Tapivox.nte")), bytes);
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    type(notes, QStringLiteral("!"));
    notes.Sauve(QStringLiteral("Tapivox.nte"));
    QString expected = text + QLatin1Char('!');
    expected.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QCOMPARE(readAll(cwd.file(QStringLiteral("Tapivox.nte"))), expected.toLatin1());
}

void TestBlocnotes::doubledSeparator()
{
    QCOMPARE(notes::collapseSeparator(QStringLiteral("/tmp//x//Tapivox.nte")),
             QStringLiteral("/tmp/x//Tapivox.nte"));
    QCOMPARE(notes::collapseSeparator(QStringLiteral("Tapivox.nte")), QStringLiteral("Tapivox.nte"));
    test::TempCwd cwd;
    test::PrompterScope prompts;
    TBlocnotes notes;
    type(notes, QStringLiteral("x"));
    notes.Sauve(cwd.path() + QStringLiteral("//Tapivox.nte"));
    QCOMPARE(readAll(cwd.file(QStringLiteral("Tapivox.nte"))), QByteArray("x"));
}

void TestBlocnotes::failedWriteKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("parent is a file") << "parent is a file";
    QTest::newRow("folder in place of the file") << "folder in place of the file";
    QTest::newRow("read-only folder") << "read-only folder";
}

void TestBlocnotes::failedWriteKeepsPreviousFile()
{
    QFETCH(QString, how);
    test::TempCwd cwd;
    test::PrompterScope prompts;
    QString target;
    QString previous; // a file that must survive untouched
    if (how == QLatin1String("parent is a file")) {
        previous = cwd.file(QStringLiteral("plain"));
        writeAll(previous, "old");
        target = previous + QStringLiteral("/Tapivox.nte");
    } else if (how == QLatin1String("folder in place of the file")) {
        QVERIFY(QDir(cwd.path()).mkpath(QStringLiteral("Tapivox.nte")));
        previous = cwd.file(QStringLiteral("Tapivox.nte/inside"));
        writeAll(previous, "old");
        target = cwd.file(QStringLiteral("Tapivox.nte"));
    } else {
        if (::geteuid() == 0)
            QSKIP("root writes through a read-only folder");
        QVERIFY(QDir(cwd.path()).mkpath(QStringLiteral("ro")));
        previous = cwd.file(QStringLiteral("ro/Tapivox.nte"));
        writeAll(previous, "old");
        QFile::setPermissions(cwd.file(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
        target = previous;
    }
    TBlocnotes notes;
    type(notes, QStringLiteral("nouveau"));
    notes.Sauve(target);
    QFile::setPermissions(cwd.file(QStringLiteral("ro")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(prompts.fake().errors, QStringList{QStringLiteral("Ne peut créer le fichier %1").arg(target)});
    QCOMPARE(readAll(previous), QByteArray("old"));
    // The notes stay marked as changed: a later save still writes them.
    notes.Sauve(cwd.file(QStringLiteral("other.nte")));
    QCOMPARE(readAll(cwd.file(QStringLiteral("other.nte"))), QByteArray("nouveau"));
}

void TestBlocnotes::unreadableFileIsReported()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    QVERIFY(QDir(cwd.path()).mkpath(QStringLiteral("Tapivox.nte")));
    TBlocnotes notes;
    type(notes, QStringLiteral("gardé"));
    notes.Charge(QStringLiteral("Tapivox.nte"));
    QCOMPARE(prompts.fake().errors, QStringList{QStringLiteral("Ne peut ouvrir le fichier Tapivox.nte")});
    QCOMPARE(notes.notes(), QStringLiteral("gardé"));
}

void TestBlocnotes::linkedNotesFileStaysALink()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    writeAll(cwd.file(QStringLiteral("real.nte")), "old");
    QVERIFY(QFile::link(cwd.file(QStringLiteral("real.nte")), cwd.file(QStringLiteral("Tapivox.nte"))));
    TBlocnotes notes;
    type(notes, QStringLiteral("new"));
    notes.Sauve(QStringLiteral("Tapivox.nte"));
    QVERIFY(QFileInfo(cwd.file(QStringLiteral("Tapivox.nte"))).isSymLink());
    QCOMPARE(readAll(cwd.file(QStringLiteral("real.nte"))), QByteArray("new"));
}

void TestBlocnotes::printsShownLinesToPdf()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("notes.pdf"));
    auto previous = ui::setTextPrinter(std::make_unique<ui::QtTextPrinter>(pdf));
    test::PrompterScope prompts;
    TBlocnotes notes;
    const QString paragraph = QStringLiteral("mot ").repeated(60).trimmed();
    type(notes, QStringLiteral("titre\n") + paragraph);
    const QStringList lines = notes.shownLines();
    QVERIFY(lines.size() > 2); // the long paragraph wraps
    QCOMPARE(lines.first(), QStringLiteral("titre"));
    QCOMPARE(lines.mid(1).join(QString()).remove(QLatin1Char(' ')),
             QString(paragraph).remove(QLatin1Char(' ')));
    notes.SpeedButton9Click();
    ui::setTextPrinter(std::move(previous));
    QVERIFY(prompts.fake().errors.isEmpty());
    QVERIFY(readAll(pdf).startsWith("%PDF"));
}

void TestBlocnotes::withoutPrinterOffersPdf_data()
{
    using A = ui::Prompter::Answer;
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QString>("name"); // in the temporary folder; empty: dialog cancelled
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("message");
    QTest::newRow("declined") << QList<A>{A::No} << "notes.pdf" << false << "";
    QTest::newRow("dialog cancelled") << QList<A>{A::Yes} << "" << false << "";
    QTest::newRow("saved") << QList<A>{A::Yes} << "notes.pdf" << true << "information";
    QTest::newRow("existing file kept") << QList<A>{A::Yes, A::No} << "old.pdf" << false << "";
    QTest::newRow("existing file replaced") << QList<A>{A::Yes, A::Yes} << "old.pdf" << true << "information";
    QTest::newRow("folder missing") << QList<A>{A::Yes} << "none/notes.pdf" << false << "error";
}

void TestBlocnotes::withoutPrinterOffersPdf()
{
    QFETCH(QList<ui::Prompter::Answer>, answers);
    QFETCH(QString, name);
    QFETCH(bool, written);
    QFETCH(QString, message);
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("old.pdf")), "old");
    auto previous = ui::setTextPrinter(std::make_unique<ui::QtTextPrinter>(QString(), true));
    test::PrompterScope prompts;
    prompts.fake().answers = answers;
    if (!name.isEmpty())
        prompts.fake().saveNames << dir.filePath(name);
    TBlocnotes notes;
    type(notes, QStringLiteral("à imprimer"));
    notes.SpeedButton9Click();
    ui::setTextPrinter(std::move(previous));
    QVERIFY(!prompts.fake().questions.isEmpty());
    QVERIFY(prompts.fake().questions.first().startsWith(QStringLiteral("Aucune imprimante par défaut")));
    QCOMPARE(prompts.fake().answers.size(), 0);
    QCOMPARE(readAll(dir.filePath(name.isEmpty() ? QStringLiteral("x") : name)).startsWith("%PDF"), written);
    QCOMPARE(prompts.fake().informations.size(), message == QLatin1String("information") ? 1 : 0);
    QCOMPARE(prompts.fake().errors,
             message == QLatin1String("error")
                 ? QStringList{QStringLiteral("Ne peut créer le fichier ") + dir.filePath(name)}
                 : QStringList{});
}

void TestBlocnotes::programLoadsNotesAtStart()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    writeAll(cwd.file(QStringLiteral("Tapivox.nte")), "d\xe9j\xe0 l\xe0");
    test::startProgram();
    QCOMPARE(forms().Blocnotes->notes(), QStringLiteral("déjà là"));
    test::stopProgram();
}

QTEST_MAIN(TestBlocnotes)
#include "tst_blocnotes.moc"
