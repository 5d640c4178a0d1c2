// The notepad: the notes file both ways, failed writes, printing to a PDF.
#include "accessories/notesfile.h"
#include "accessories/tblocnotes.h"
#include "app/forms.h"
#include "app/tmainform.h"
#include "support/testsupport.h"
#include "ui/accessories_printer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/mount.h>
#include <sys/stat.h>
#include <time.h>
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
    void encodingIsKept_data();
    void encodingIsKept();
    void fileOnDiskIsNotReplaced_data();
    void fileOnDiskIsNotReplaced();
    void printsShownLinesToPdf();
    void withoutPrinterOffersPdf_data();
    void withoutPrinterOffersPdf();
    void programLoadsNotesAtStart();
    void notesAtExitAreNeverLost_data();
    void notesAtExitAreNeverLost();
    void longNotesLoadInSteps();
    void keysWhileLoading_data();
    void keysWhileLoading();
    void longLineStaysResponsive();
    void linksInSharedFolders_data();
    void linksInSharedFolders();
    void messagesShowNamesAsText_data();
    void messagesShowNamesAsText();
    void printModuleFiles_data();
    void printModuleFiles();
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
    QTest::addColumn<QString>("why"); // the reason and what was kept
    QTest::newRow("parent is a file") << "parent is a file"
                                      << "le chemin ne mène pas à un dossier.";
    QTest::newRow("folder in place of the file") << "folder in place of the file"
                                                 << "c'est un dossier.";
    QTest::newRow("read-only folder") << "read-only folder"
                                      << "accès refusé. Le fichier précédent est resté intact.";
}

void TestBlocnotes::failedWriteKeepsPreviousFile()
{
    QFETCH(QString, how);
    QFETCH(QString, why);
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
    const QString kept = QStringLiteral(" Les notes de cette séance sont gardées dans le bloc-notes.");
    QCOMPARE(prompts.fake().errors,
             QStringList{QStringLiteral("Ne peut créer le fichier Tapivox.nte dans le dossier %1 : %2")
                             .arg(QFileInfo(target).absolutePath(), why + kept)});
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
    QCOMPARE(
        prompts.fake().errors,
        QStringList{QStringLiteral("Ne peut lire le fichier Tapivox.nte du dossier %1 : c'est un dossier. Le "
                                   "bloc-notes commence vide et ce fichier ne sera pas remplacé.")
                        .arg(cwd.path())});
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

void TestBlocnotes::encodingIsKept_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("after"); // once " !" is typed at the end
    QTest::newRow("UTF-8 from a Linux editor") << QByteArray("caf\xc3\xa9\n") << "café\n"
                                               << QByteArray("caf\xc3\xa9\r\n !");
    QTest::newRow("Windows-1252") << QByteArray("caf\xe9") << "café" << QByteArray("caf\xe9 !");
    QTest::newRow("UTF-8 with a byte-order mark")
        << QByteArray("\xef\xbb\xbf\xc3\xa9") << "é" << QByteArray("\xef\xbb\xbf\xc3\xa9 !");
    QTest::newRow("plain ASCII") << QByteArray("abc") << "abc" << QByteArray("abc !");
}

void TestBlocnotes::encodingIsKept()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, text);
    QFETCH(QByteArray, after);
    test::TempCwd cwd;
    test::PrompterScope prompts;
    writeAll(cwd.file(QStringLiteral("Tapivox.nte")), before);
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    QCOMPARE(notes.notes(), text);
    type(notes, QStringLiteral(" !"));
    notes.Sauve(QStringLiteral("Tapivox.nte"));
    QCOMPARE(readAll(cwd.file(QStringLiteral("Tapivox.nte"))), after);
    QVERIFY(prompts.fake().errors.isEmpty());
}

// Files that are read with a message and never replaced without a word:
// the save shows why, and the file on disk stays as it was.
void TestBlocnotes::fileOnDiskIsNotReplaced_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("told"); // part of the message at start ("" none)
    QTest::newRow("named pipe") << "pipe"
                                << "ce n'est pas un fichier ordinaire";
    QTest::newRow("cannot be read") << "mode 200"
                                    << "accès refusé";
    QTest::newRow("invalid UTF-8 after the mark") << "bad utf8"
                                                  << "n'est pas un texte UTF-8 valide";
    QTest::newRow("larger than the memo") << "huge"
                                          << "Le texte dépasse la capacité du mémo";
    QTest::newRow("line too long to type in") << "long line"
                                              << "une ligne de plus de 100\u00a0000 caractères";
    QTest::newRow("changed by another program") << "changed"
                                                << "";
    QTest::newRow("link out of the folder") << "outside link"
                                            << "hors de ce dossier";
    QTest::newRow("dangling link") << "dangling link"
                                   << "hors de ce dossier";
}

void TestBlocnotes::fileOnDiskIsNotReplaced()
{
    QFETCH(QString, how);
    QFETCH(QString, told);
    test::TempCwd cwd;
    test::PrompterScope prompts;
    QTemporaryDir elsewhere;
    const QString path = cwd.file(QStringLiteral("Tapivox.nte"));
    const QString target = elsewhere.filePath(QStringLiteral("notes.nte"));
    const QByteArray old("\xef\xbb\xbf"
                         "a\xff\xfe"
                         "b");
    if (how == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (how == QLatin1String("mode 200")) {
        if (::geteuid() == 0)
            QSKIP("root reads a file of mode 200");
        writeAll(path, old);
        QFile::setPermissions(path, QFile::WriteOwner);
    } else if (how == QLatin1String("huge")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(notes::kCapacity + 1));
    } else if (how == QLatin1String("long line")) {
        writeAll(path, QByteArray("court\n") + QByteArray(notes::kLongestLine + 1, 'x'));
    } else if (how.endsWith(QLatin1String("link"))) {
        if (how == QLatin1String("outside link"))
            writeAll(target, old);
        QVERIFY(QFile::link(target, path));
    } else {
        writeAll(path, how == QLatin1String("changed") ? QByteArray("avant") : old);
    }
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    const QStringList said = prompts.fake().errors + prompts.fake().informations;
    QCOMPARE(said.size(), told.isEmpty() ? 0 : 1);
    QVERIFY2(said.value(0).contains(told), qPrintable(said.value(0)));
    if (how == QLatin1String("changed"))
        writeAll(path, "from the other program");
    const bool regular = how != QLatin1String("huge") && how != QLatin1String("pipe");
    const QByteArray before = regular ? readAll(path) : QByteArray();
    type(notes, QStringLiteral("new"));
    prompts.fake().errors.clear();
    notes.Sauve(QStringLiteral("Tapivox.nte"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (how.endsWith(QLatin1String("link"))) {
        // Written beside the link, which stays and leads where it did.
        QVERIFY(prompts.fake().errors.isEmpty());
        QCOMPARE(readAll(cwd.file(QStringLiteral("Tapivox-local.nte"))), QByteArray("new"));
        QCOMPARE(QFileInfo(path).symLinkTarget(), target);
        QCOMPARE(readAll(target), how == QLatin1String("outside link") ? old : QByteArray());
        return;
    }
    QCOMPARE(prompts.fake().errors.size(), 1);
    QVERIFY(notes.Memo1->document()->isModified());
    if (how == QLatin1String("pipe"))
        QVERIFY(QFileInfo(path).isFile() == false && QFileInfo::exists(path));
    else if (how == QLatin1String("huge"))
        QCOMPARE(QFileInfo(path).size(), notes::kCapacity + 1);
    else
        QCOMPARE(readAll(path), before);
    // The learner's word replaces it, except a pipe.
    QString message;
    const auto result = notes.saveNotes(QStringLiteral("Tapivox.nte"), true, &message);
    QCOMPARE(result == notes::NotesFile::Save::Saved, how != QLatin1String("pipe"));
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

// Quitting when the notes cannot be written asks first; each answer either
// keeps the notes somewhere or leaves the program running.
void TestBlocnotes::notesAtExitAreNeverLost_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("where"); // the file that holds the notes ("" none)
    QTest::newRow("folder gone, try again") << "gone" << QList<int>{0, 0} << true << "start/Tapivox.nte";
    QTest::newRow("folder gone, elsewhere") << "gone" << QList<int>{1} << true << "ailleurs.nte";
    QTest::newRow("folder gone, quit without") << "gone" << QList<int>{2} << true << "";
    QTest::newRow("folder gone, question closed") << "gone" << QList<int>{} << false << "";
    QTest::newRow("changed on disk, replace") << "changed" << QList<int>{0} << true << "start/Tapivox.nte";
    QTest::newRow("changed on disk, cancel") << "changed" << QList<int>{2} << false << "";
    QTest::newRow("full disk, elsewhere") << "full" << QList<int>{1} << true << "ailleurs.nte";
}

void TestBlocnotes::notesAtExitAreNeverLost()
{
    QFETCH(QString, how);
    QFETCH(QList<int>, choices);
    QFETCH(bool, closed);
    QFETCH(QString, where);
    test::TempCwd cwd;
    test::PrompterScope prompts;
    const QString start = cwd.file(QStringLiteral("start"));
    QVERIFY(QDir(cwd.path()).mkpath(QStringLiteral("start")));
    const QByteArray start8 = QFile::encodeName(start);
    bool mounted = false;
    const auto unmount = qScopeGuard([&] {
        if (mounted)
            ::umount2(start8.constData(), MNT_DETACH);
    });
    if (how == QLatin1String("full")) {
        if (::geteuid() != 0)
            QSKIP("a full disk is made by mounting a small tmpfs, which needs root");
        if (::mount("tmpfs", start8.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a small tmpfs failed");
        mounted = true;
    }
    writeAll(start + QStringLiteral("/Tapivox.nte"), "anciennes notes");
    QDir::setCurrent(start);
    test::startProgram();
    const auto stop = qScopeGuard([] { test::stopProgram(); });
    QDir::setCurrent(cwd.path());
    TBlocnotes *notepad = forms().Blocnotes;
    type(*notepad, QStringLiteral(" et nouvelles"));
    if (how == QLatin1String("gone")) {
        QVERIFY(QDir(start).removeRecursively());
        // Trying again succeeds once the folder is back.
        prompts.fake().beforeChoice = [&] {
            if (prompts.fake().choiceTexts.size() == 2)
                QDir(cwd.path()).mkpath(QStringLiteral("start"));
        };
    } else if (how == QLatin1String("changed")) {
        writeAll(start + QStringLiteral("/Tapivox.nte"), "notes de l'autre programme");
    } else {
        QFile filler(start + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
        type(*notepad, QString(100 * 1024, QLatin1Char('n')));
    }
    prompts.fake().choices = choices;
    prompts.fake().saveNames << cwd.file(QStringLiteral("ailleurs.nte"));
    QCOMPARE(forms().MainForm->close(), closed);
    QVERIFY(!prompts.fake().choiceTexts.isEmpty());
    const QString asked = prompts.fake().choiceTexts.constFirst();
    const QString reason = how == QLatin1String("gone")
                               ? QStringLiteral("le dossier ou le fichier n'existe pas")
                           : how == QLatin1String("changed") ? QStringLiteral("un autre programme")
                                                             : QStringLiteral("le disque est plein");
    QVERIFY2(asked.contains(reason) && asked.contains(QDir::toNativeSeparators(start)), qPrintable(asked));
    if (how == QLatin1String("full"))
        QCOMPARE(readAll(start + QStringLiteral("/Tapivox.nte")), QByteArray("anciennes notes"));
    QCOMPARE(notepad->Memo1->document()->isModified(), !closed);
    if (!where.isEmpty())
        QVERIFY(readAll(cwd.file(where)).startsWith("anciennes notes et nouvelles"));
    else if (how == QLatin1String("changed"))
        QCOMPARE(readAll(start + QStringLiteral("/Tapivox.nte")), QByteArray("notes de l'autre programme"));
}

void TestBlocnotes::longNotesLoadInSteps()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    const QString text = QStringLiteral("Une ligne de notes, é à ç.\n").repeated(40000);
    writeAll(cwd.file(QStringLiteral("Tapivox.nte")), notes::encode(text));
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    QVERIFY(notes.isLoading());
    QVERIFY(notes.Memo1->isReadOnly());
    QVERIFY(notes.windowTitle().contains(QStringLiteral("chargement")));
    QTRY_VERIFY(!notes.isLoading());
    QCOMPARE(notes.notes(), text);
    QCOMPARE(notes.windowTitle(), QStringLiteral("Bloc-notes"));
    QVERIFY(!notes.Memo1->isReadOnly());
    QVERIFY(!notes.Memo1->document()->isModified());
    QVERIFY(prompts.fake().errors.isEmpty());
}

// Keys typed before the notes are all in act on the whole notes.
void TestBlocnotes::keysWhileLoading_data()
{
    QTest::addColumn<bool>("toEnd"); // Ctrl+Fin before the letter
    QTest::newRow("letter at the top") << false;
    QTest::newRow("Ctrl+Fin then a letter") << true;
}

void TestBlocnotes::keysWhileLoading()
{
    QFETCH(bool, toEnd);
    test::TempCwd cwd;
    const QString text = QStringLiteral("Des notes assez longues.\n").repeated(40000);
    writeAll(cwd.file(QStringLiteral("Tapivox.nte")), notes::encode(text));
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    QVERIFY(notes.isLoading());
    if (toEnd)
        QTest::keyClick(notes.Memo1, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(notes.Memo1, Qt::Key_N);
    QCOMPARE(notes.notes(), toEnd ? text + QLatin1Char('n') : QLatin1Char('n') + text);
}

// A line without a blank as long as the notepad takes is wrapped anywhere,
// not at blanks, which cost seconds a key on such a line (the time itself is
// measured by bench_notes, not here).
void TestBlocnotes::longLineStaysResponsive()
{
    test::TempCwd cwd;
    writeAll(cwd.file(QStringLiteral("Tapivox.nte")), QByteArray(notes::kLongestLine, 'x'));
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    notes.show();
    QTest::keyClick(notes.Memo1, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(notes.Memo1, Qt::Key_N);
    QVERIFY(notes.notes().endsWith(QLatin1String("xxn")));
    QCOMPARE(notes.Memo1->wordWrapMode(), QTextOption::WrapAnywhere);
}

// In a folder everyone may write (sticky, like /tmp), links are followed as
// the system's own protection would: the learner's, or the folder owner's;
// another user's is left alone, and a file other than the one loaded is not
// replaced without asking.
void TestBlocnotes::linksInSharedFolders_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<uint>("folderOwner"); // 0 the learner, else another user
    QTest::addColumn<uint>("linkOwner");
    QTest::addColumn<bool>("atStart"); // else made once the notes are loaded
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<int>("save");          // NotesFile::Save
    QTest::addColumn<QByteArray>("report"); // rapport.txt once saved
    using S = notes::NotesFile::Save;
    QTest::newRow("other's link") << 01777 << 0u << 12345u << true << QByteArray() << int(S::Saved)
                                  << QByteArray("rapport");
    QTest::newRow("folder owner's link") << 01777 << 12345u << 12345u << true << QByteArray("rapport")
                                         << int(S::Saved) << QByteArray("rapport!");
    QTest::newRow("learner's link") << 01777 << 12345u << 0u << true << QByteArray("rapport") << int(S::Saved)
                                    << QByteArray("rapport!");
    QTest::newRow("other's link, private folder")
        << 0755 << 0u << 12345u << true << QByteArray("rapport") << int(S::Saved) << QByteArray("rapport!");
    QTest::newRow("other's link made later")
        << 01777 << 0u << 12345u << false << QByteArray() << int(S::Saved) << QByteArray("rapport");
    QTest::newRow("learner's link made later")
        << 01777 << 0u << 0u << false << QByteArray() << int(S::NeedsConsent) << QByteArray("rapport");
}

void TestBlocnotes::linksInSharedFolders()
{
    QFETCH(int, folderMode);
    QFETCH(uint, folderOwner);
    QFETCH(uint, linkOwner);
    QFETCH(bool, atStart);
    QFETCH(QByteArray, loaded);
    QFETCH(int, save);
    QFETCH(QByteArray, report);
    if ((folderOwner || linkOwner) && ::geteuid() != 0)
        QSKIP("files of another user are made by root");
    test::TempCwd cwd;
    test::PrompterScope prompts;
    const QByteArray link = QFile::encodeName(cwd.file(QStringLiteral("Tapivox.nte")));
    writeAll(cwd.file(QStringLiteral("rapport.txt")), "rapport");
    const auto plant = [&] {
        QVERIFY(QFile::link(QStringLiteral("rapport.txt"), cwd.file(QStringLiteral("Tapivox.nte"))));
        QCOMPARE(::lchown(link.constData(), linkOwner ? linkOwner : ::geteuid(), gid_t(-1)), 0);
    };
    QCOMPARE(::chown(QFile::encodeName(cwd.path()).constData(), folderOwner ? folderOwner : ::geteuid(),
                     gid_t(-1)),
             0);
    QCOMPARE(::chmod(QFile::encodeName(cwd.path()).constData(), mode_t(folderMode)), 0);
    if (atStart)
        plant();
    TBlocnotes notes;
    notes.Charge(QStringLiteral("Tapivox.nte"));
    QCOMPARE(notes.notes().toUtf8(), loaded);
    QCOMPARE(prompts.fake().informations.size(), atStart && loaded.isEmpty() ? 1 : 0);
    if (!atStart)
        plant();
    type(notes, QStringLiteral("!"));
    QString message;
    QCOMPARE(int(notes.saveNotes(QStringLiteral("Tapivox.nte"), false, &message)), save);
    QCOMPARE(readAll(cwd.file(QStringLiteral("rapport.txt"))), report);
    QCOMPARE(readAll(cwd.file(QStringLiteral("Tapivox-local.nte"))),
             QByteArray(report == "rapport" && !save ? "!" : ""));
}

// Every kind of message box shows its text as written: a name holding
// markup is neither drawn as a link nor opened.
void TestBlocnotes::messagesShowNamesAsText_data()
{
    QTest::addColumn<int>("kind");
    const char *kinds[] = {"error", "information", "askYesNoCancel", "askYesNo", "choose", "confirm"};
    for (int kind = 0; kind < 6; ++kind)
        QTest::newRow(kinds[kind]) << kind;
}

void TestBlocnotes::messagesShowNamesAsText()
{
    QFETCH(int, kind);
    const QString text = QStringLiteral("Le fichier <a href=\"http://example.invalid/\">x</a>.nte");
    QList<Qt::TextFormat> formats;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            for (const QLabel *label : box->findChildren<QLabel *>())
                if (label->text() == text)
                    formats << (label->openExternalLinks() ? Qt::RichText : label->textFormat());
            box->done(0);
        }
    });
    poll.start(10);
    ui::WidgetPrompter p;
    const QString button = QStringLiteral("Remplacer");
    const std::function<void()> show[] = {[&] { p.error(nullptr, text); },
                                          [&] { p.information(nullptr, text); },
                                          [&] { p.askYesNoCancel(nullptr, text); },
                                          [&] { p.askYesNo(nullptr, text); },
                                          [&] { p.choose(nullptr, text, {button}); },
                                          [&] { p.confirm(nullptr, text, button); }};
    show[kind]();
    QCOMPARE(formats, QList<Qt::TextFormat>{Qt::PlainText});
}

// The print module runs as the learner: it is taken beside the program only
// when nobody else may write it there, and never from a folder near it.
void TestBlocnotes::printModuleFiles_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("moduleMode"); // 0: no module beside the program
    QTest::addColumn<uint>("owner");     // of the module, 0 the learner
    QTest::addColumn<bool>("beside");
    QTest::newRow("learner's own folder") << 0755 << 0755 << 0u << true;
    QTest::newRow("no module beside") << 0755 << 0 << 0u << false;
    QTest::newRow("folder anyone may write") << 0777 << 0755 << 0u << false;
    QTest::newRow("module the group may write") << 0755 << 0775 << 0u << false;
    QTest::newRow("module of another user") << 0755 << 0755 << 12345u << false;
}

void TestBlocnotes::printModuleFiles()
{
    QFETCH(int, folderMode);
    QFETCH(int, moduleMode);
    QFETCH(uint, owner);
    QFETCH(bool, beside);
    if (owner && ::geteuid() != 0)
        QSKIP("files of another user are made by root");
    QTemporaryDir dir;
    const QString module = dir.filePath(QStringLiteral("bin/tapivox_print.so"));
    // What another user could plant beside the program's folder.
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("lib/tapivox")));
    writeAll(dir.filePath(QStringLiteral("lib/tapivox/tapivox_print.so")), "planted");
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
    if (moduleMode) {
        writeAll(module, "module");
        QCOMPARE(::chmod(QFile::encodeName(module).constData(), mode_t(moduleMode)), 0);
        QCOMPARE(::chown(QFile::encodeName(module).constData(), owner ? owner : ::geteuid(), gid_t(-1)), 0);
    }
    QCOMPARE(::chmod(QFile::encodeName(dir.filePath(QStringLiteral("bin"))).constData(), mode_t(folderMode)),
             0);
    const QStringList files = ui::printModuleFiles(dir.filePath(QStringLiteral("bin")));
    QCOMPARE(files.size(), beside ? 2 : 1);
    QCOMPARE(files.first() == QFileInfo(module).canonicalFilePath(), beside);
    QVERIFY(QFileInfo(files.last()).isAbsolute() && !files.last().startsWith(dir.path()));
}

QTEST_MAIN(TestBlocnotes)
#include "tst_blocnotes.moc"
