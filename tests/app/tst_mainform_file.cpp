// The frame's lesson-file commands and the save question.
#include "app/forms.h"
#include "app/lesson/lessonwindow.h"
#include "app/tmainform.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/tclavier.h"
#include "office/tsaisie.h"
#include "office/ttableur.h"
#include "support/testsupport.h"

#include <QAction>
#include <QScopeGuard>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using Answer = ui::Prompter::Answer;

class TestMainFormFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saveRightAfterStartUp();
    void cancelledSaveAsWritesNothing();
    void roundTripRestoresWindowsAndMarks();
    void exerciseRoundTrip_data();
    void exerciseRoundTrip();
    void questionOnlyWithCurrentName();
    void yesThenCancelledOpenSavesOnly();
    void noWindowForUnknownModule_data();
    void noWindowForUnknownModule();
    void threeLineFile();
    void unreadableFileChangesNothing();
    void cancelOnQuitKeepsRunning();
    void failedSaveIsReported();
    void foreignFileChangesNothing_data();
    void foreignFileChangesNothing();
    void savingOverForeignFileAsksFirst();
    void failedSaveAfterYesStops();
    void fullDiskSaveKeepsOldFile();

private:
    TMainForm *frame() const { return forms().MainForm; }
    test::FakePrompter &fake() { return m_prompts->fake(); }
    QByteArray read(const QString &path);
    void writeFile(const QString &path, const QByteArray &bytes);
    test::TempCwd *m_cwd = nullptr;
    test::PrompterScope *m_prompts = nullptr;
};

void TestMainFormFile::init()
{
    m_cwd = new test::TempCwd;
    m_prompts = new test::PrompterScope;
    test::startProgram();
}

void TestMainFormFile::cleanup()
{
    test::stopProgram();
    delete m_prompts;
    delete m_cwd;
}

QByteArray TestMainFormFile::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestMainFormFile::writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestMainFormFile::saveRightAfterStartUp()
{
    const QString path = m_cwd->file(QStringLiteral("debut.tpx"));
    fake().saveNames << path;
    frame()->SaveItemClick(); // no name yet: acts as save as
    QCOMPARE(fake().saveDialogs, 1);
    QCOMPARE(frame()->lessonFileName, path);
    QByteArray expected("1\r\n0\r\n");
    for (int i = 0; i < 13; ++i)
        expected += "1\r\n";
    QCOMPARE(read(path), expected);
}

void TestMainFormFile::cancelledSaveAsWritesNothing()
{
    frame()->Enregistrersous1Click();
    QCOMPARE(fake().saveDialogs, 1);
    QVERIFY(frame()->lessonFileName.isEmpty());
    QCOMPARE(QDir(m_cwd->path()).entryList(QDir::Files), QStringList());
}

void TestMainFormFile::roundTripRestoresWindowsAndMarks()
{
    for (const char *item :
         {"Touches1", "N5ty1", "Citations1", "CurriculumVitae1", "Mots1", "Stock1", "Budget1"})
        frame()->action(QLatin1String(item))->trigger();
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Tableur));
    const QString path = m_cwd->file(QStringLiteral("lecon.tpx"));
    fake().saveNames << path;
    frame()->Enregistrersous1Click();
    QCOMPARE(read(path),
             QByteArray("6\r\n1\r\n5\r\n2\r\n7\r\n2\r\n2\r\n3\r\n2\r\n5\r\n2\r\n7\r\n2\r\n2\r\n3\r\n"));

    fake().answers << Answer::No;
    frame()->Nouvelleleon1Click();
    QCOMPARE(fake().questions, QStringList{QStringLiteral("Enregistrer la leçon en cours ?")});
    QVERIFY(frame()->lessonFileName.isEmpty());
    QCOMPARE(forms().Exos->GetIni(), 1);
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Clavier));
    // The menus keep their marks after a new lesson; scatter them.
    frame()->SetTexteMenu(1);
    frame()->SetExosMenu(1);

    fake().openNames << path;
    frame()->OpenItemClick();
    QCOMPARE(fake().questions.size(), 1); // no name was current
    QCOMPARE(frame()->lessonFileName, path);
    QCOMPARE(forms().Clavier->GetIni(), 1);
    QCOMPARE(forms().Exos->GetIni(), 5);
    QCOMPARE(forms().Phrases->GetIni(), 2);
    QCOMPARE(forms().Texte->GetIni(), 7);
    QCOMPARE(forms().Jeu->GetIni(), 2);
    QCOMPARE(forms().Tableur->GetIni(), 2);
    QCOMPARE(forms().Saisie->GetIni(), 3);
    QVERIFY(frame()->action(QStringLiteral("CurriculumVitae1"))->isChecked());
    QVERIFY(frame()->action(QStringLiteral("N5ty1"))->isChecked());
    QVERIFY(frame()->action(QStringLiteral("Touches1"))->isChecked());
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Tableur));
}

void TestMainFormFile::exerciseRoundTrip_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("position");
    // Written by an earlier version, where the review had the code after the
    // exercises.
    QTest::addColumn<bool>("older");
    QTest::newRow("18") << "N18Touches1" << 18 << 18 << false;
    for (int code = 19; code <= 24; ++code)
        QTest::addRow("%d", code) << QStringLiteral("N%1Touches1").arg(code) << code << code << false;
    QTest::newRow("review") << "Revision1" << int(progress::kReviewLesson) << 25 << false;
    QTest::newRow("review, older file") << "Revision1" << int(progress::kReviewLesson) << 25 << true;
}

// The exercises after the separator save their code and their menu position
// (the separator not counted) as the eighteen do, and come back.
void TestMainFormFile::exerciseRoundTrip()
{
    QFETCH(QString, item);
    QFETCH(int, code);
    QFETCH(int, position);
    QFETCH(bool, older);
    const QString path = m_cwd->file(QStringLiteral("exercice.tpx"));
    if (older) {
        writeFile(path, "2\r\n0\r\n25\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n25\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");
    } else {
        frame()->action(item)->trigger();
        QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
        fake().saveNames << path;
        frame()->Enregistrersous1Click();
        const QList<QByteArray> lines = read(path).split('\n');
        QCOMPARE(lines.at(0), QByteArray("2\r"));
        QCOMPARE(lines.at(2), QByteArray::number(code) + '\r');
        QCOMPARE(lines.at(9), QByteArray::number(position) + '\r');
        fake().answers << Answer::No;
    }
    frame()->Nouvelleleon1Click();
    frame()->SetExosMenu(1);
    fake().openNames << path;
    frame()->OpenItemClick();
    QCOMPARE(forms().Exos->GetIni(), code);
    QCOMPARE(frame()->GetExosMenu(), position);
    QVERIFY(frame()->action(item)->isChecked());
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
}

void TestMainFormFile::questionOnlyWithCurrentName()
{
    frame()->Nouvelleleon1Click();
    QVERIFY(fake().questions.isEmpty());
    QVERIFY(frame()->FormCloseQuery());
    QVERIFY(fake().questions.isEmpty());

    const QString path = m_cwd->file(QStringLiteral("a.tpx"));
    fake().saveNames << path;
    frame()->SaveItemClick();
    frame()->action(QStringLiteral("N9Touches1"))->trigger();
    fake().answers << Answer::Yes;
    QVERIFY(frame()->FormCloseQuery());
    QCOMPARE(fake().questions.size(), 1);
    QVERIFY(read(path).startsWith("2\r\n0\r\n9\r\n")); // Oui rewrote the file with the state of the moment
}

void TestMainFormFile::yesThenCancelledOpenSavesOnly()
{
    const QString path = m_cwd->file(QStringLiteral("b.tpx"));
    fake().saveNames << path;
    frame()->SaveItemClick();
    frame()->action(QStringLiteral("N2ap1"))->trigger();
    fake().answers << Answer::Yes;
    frame()->OpenItemClick(); // the open dialog is cancelled
    QCOMPARE(fake().openDialogs, 1);
    QVERIFY(read(path).startsWith("2\r\n0\r\n2\r\n"));
    QCOMPARE(forms().Exos->GetIni(), 2);
    QCOMPARE(frame()->lessonFileName, path);
}

void TestMainFormFile::noWindowForUnknownModule_data()
{
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<QByteArray>("after"); // lines after the fifteen
    QTest::newRow("0") << QByteArray("0") << QByteArray();
    QTest::newRow("8") << QByteArray("8") << QByteArray();
    // A later version's file: a lesson 8 in front, its two codes appended.
    QTest::newRow("8 with its codes after the fifteen") << QByteArray("8") << QByteArray("5\r\n6\r\n");
}

void TestMainFormFile::noWindowForUnknownModule()
{
    QFETCH(QByteArray, firstLine);
    QFETCH(QByteArray, after);
    frame()->showLesson(forms().Phrases);
    const QString path = m_cwd->file(QStringLiteral("c.tpx"));
    writeFile(path, firstLine + "\r\n1\r\n4\r\n3\r\n2\r\n1\r\n3\r\n2\r\n2\r\n4\r\n3\r\n2\r\n1\r\n3\r\n2\r\n" +
                        after);
    fake().openNames << path;
    frame()->OpenItemClick();
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Phrases));
    QCOMPARE(forms().Exos->GetIni(), 4);
    QCOMPARE(frame()->GetExosMenu(), 4);
    QCOMPARE(frame()->GetTabMenu(), 3);
}

void TestMainFormFile::threeLineFile()
{
    const QString path = m_cwd->file(QStringLiteral("d.tpx"));
    writeFile(path, "3\r\n1\r\n6\r\n");
    fake().openNames << path;
    frame()->OpenItemClick();
    QCOMPARE(forms().Clavier->GetIni(), 1);
    QCOMPARE(forms().Exos->GetIni(), 6);
    QCOMPARE(forms().Phrases->GetIni(), 0);
    QCOMPARE(forms().Saisie->GetIni(), 0);
    QCOMPARE(frame()->GetClavMenu(), 1); // menu code 0 moves no mark
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Phrases));
}

void TestMainFormFile::unreadableFileChangesNothing()
{
    frame()->action(QStringLiteral("N4erui1"))->trigger();
    for (const QString &name : {m_cwd->file(QStringLiteral("absent.tpx")), m_cwd->path()}) {
        fake().openNames << name;
        frame()->OpenItemClick();
    }
    QCOMPARE(fake().errors.size(), 2);
    QVERIFY(fake().errors.first().contains(QStringLiteral("absent.tpx")));
    QVERIFY(frame()->lessonFileName.isEmpty());
    QCOMPARE(forms().Exos->GetIni(), 4);
    QCOMPARE(frame()->GetExosMenu(), 4);
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
}

void TestMainFormFile::cancelOnQuitKeepsRunning()
{
    const QString path = m_cwd->file(QStringLiteral("e.tpx"));
    fake().saveNames << path;
    frame()->SaveItemClick();
    const QByteArray before = read(path);
    frame()->action(QStringLiteral("N8Touches1"))->trigger();
    fake().answers << Answer::Cancel;
    frame()->action(QStringLiteral("ExitItem"))->trigger();
    QVERIFY(frame()->isVisible());
    QCOMPARE(read(path), before);
}

void TestMainFormFile::failedSaveIsReported()
{
    // A folder stands where the file should go: the save fails, says so, and
    // the folder is untouched.
    const QString path = m_cwd->file(QStringLiteral("dossier.tpx"));
    QVERIFY(QDir().mkpath(path));
    fake().saveNames << path;
    frame()->Enregistrersous1Click();
    QCOMPARE(fake().errors.size(), 1);
    QVERIFY(fake().errors.first().contains(QStringLiteral("dossier.tpx")));
    QVERIFY(QFileInfo(path).isDir());
}

void TestMainFormFile::foreignFileChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QString other = QStringLiteral("ce n'est pas un fichier de leçon Tapivox");
    QTest::newRow("letter") << "lettre.txt" << QByteArray("Madame,\r\n\r\nJe vous écris.\r\n") << other;
    QTest::newRow("notes") << "Tapivox.nte" << QByteArray("12 rue des Lilas\r\n") << other;
    QTest::newRow("two lines") << "deux.tpx" << QByteArray("Bonjour\nAu revoir\n") << other;
    QTest::newRow("sixteen values") << "seize.tpx" << QByteArray("1\r\n").repeated(16) << other;
    QTest::newRow("binary junk") << "image.png" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << other;
    QTest::newRow("too big") << "gros.tpx" << QByteArray("1\r\n").repeated(2000)
                             << "le fichier est trop grand";
    QTest::newRow("named pipe") << "tube.tpx" << QByteArray() << "ce n'est pas un fichier ordinaire";
    QTest::newRow("device") << "/dev/zero" << QByteArray() << "ce n'est pas un fichier ordinaire";
    QTest::newRow("folder") << "dossier.tpx" << QByteArray() << "c'est un dossier";
}

// The current lesson and the chosen file stay as they were.
void TestMainFormFile::foreignFileChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    frame()->action(QStringLiteral("N4erui1"))->trigger();
    const QString path = name.startsWith(QLatin1Char('/')) ? name : m_cwd->file(name);
    if (name == QLatin1String("tube.tpx"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); // opening it must not block
    else if (bytes.isEmpty())
        QDir().mkpath(path);
    else
        writeFile(path, bytes);
    fake().openNames << path;
    frame()->OpenItemClick();
    QCOMPARE(fake().errors,
             QStringList{QStringLiteral(
                             "Impossible d'ouvrir la leçon «\u00a0%1\u00a0»\u00a0: %2.\nDossier\u00a0: %3\n"
                             "La leçon en cours n'a pas changé.")
                             .arg(QFileInfo(path).fileName(), reason, QFileInfo(path).path())});
    QVERIFY(frame()->lessonFileName.isEmpty());
    QCOMPARE(forms().Exos->GetIni(), 4);
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
    QVERIFY(bytes.isEmpty() || read(path) == bytes);
}

void TestMainFormFile::savingOverForeignFileAsksFirst()
{
    const QString path = m_cwd->file(QStringLiteral("devoir.odt"));
    writeFile(path, "PK\x03\x04");
    fake().saveNames << path << QString() << path
                     << path; // refused, confirmed, then a lesson file: no question
    fake().confirmAnswers << false << true;
    for (int i = 0; i < 3; ++i)
        frame()->Enregistrersous1Click();
    QCOMPARE(fake().saveDialogs, 4);
    QCOMPARE(fake().confirmations.size(), 2);
    QVERIFY(fake().confirmations.first().startsWith(
        QStringLiteral("Le fichier «\u00a0devoir.odt\u00a0» n'est pas une leçon")));
    QVERIFY(read(path).startsWith("1\r\n0\r\n1\r\n"));
    QCOMPARE(frame()->lessonFileName, path);
}

// The folder of the current file is gone: Oui fails, and the learner stays.
void TestMainFormFile::failedSaveAfterYesStops()
{
    const QString path = m_cwd->file(QStringLiteral("parti/lecon.tpx"));
    QDir().mkpath(QFileInfo(path).path());
    fake().saveNames << path;
    frame()->SaveItemClick();
    QVERIFY(QDir(QFileInfo(path).path()).removeRecursively());
    frame()->action(QStringLiteral("N9Touches1"))->trigger();
    for (const char *command : {"ExitItem", "Nouvelleleon1", "OpenItem"}) {
        fake().answers << Answer::Yes;
        frame()->action(QLatin1String(command))->trigger();
    }
    QCOMPARE(fake().errors.size(), 3);
    QVERIFY(fake().errors.last().endsWith(QStringLiteral("\nRien n'a été écrit.")));
    QVERIFY(frame()->isVisible() && fake().openDialogs == 0 && frame()->lessonFileName == path);
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
}

void TestMainFormFile::fullDiskSaveKeepsOldFile()
{
    const QString disk = m_cwd->file(QStringLiteral("disque"));
    QDir().mkpath(disk);
    if (::geteuid() != 0 ||
        ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("a full disk is made by mounting a small tmpfs, which needs root");
    const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH); });
    fake().saveNames << disk + QStringLiteral("/lecon.tpx");
    frame()->SaveItemClick();
    const QByteArray before = read(frame()->lessonFileName);
    QFile filler(disk + QStringLiteral("/plein"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    frame()->action(QStringLiteral("N9Touches1"))->trigger();
    frame()->SaveItemClick();
    QVERIFY(fake().errors.value(0).endsWith(QStringLiteral("\u00a0: le disque est plein.\nDossier\u00a0: %1\n"
                                                           "Le fichier précédent est resté intact.")
                                                .arg(disk)));
    QCOMPARE(read(frame()->lessonFileName), before);
}

QTEST_MAIN(TestMainFormFile)
#include "tst_mainform_file.moc"
