// What the class link says without a server: the warning for a connection
// in clear, and the status bar's words, in the frame too; the assignments'
// sentence.
#include "app/forms.h"
#include "app/tmainform.h"
#include "classe/classclient.h"
#include "classe/classoutbox.h"
#include "classe/classserver.h"
#include "classe/classstatus.h"
#include "classe/classwork.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class TestClasseLink : public QObject
{
    Q_OBJECT
private slots:
    void clearConnectionToAnotherComputerWarns_data();
    void clearConnectionToAnotherComputerWarns();
    void statusSaysWhatWaits_data();
    void statusSaysWhatWaits();
    void assignmentSentence_data();
    void assignmentSentence();
    void frameShowsTheLinkOnlyWhenThereIsOne_data();
    void frameShowsTheLinkOnlyWhenThereIsOne();
    void closedConnectionIsTriedAgain();

private:
    QTemporaryDir m_home;
};

void TestClasseLink::clearConnectionToAnotherComputerWarns_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("sslmode");
    QTest::addColumn<bool>("warns");
    QTest::newRow("local socket") << ""
                                  << "disable" << false;
    QTest::newRow("socket folder") << "/run/postgresql"
                                   << "prefer" << false;
    QTest::newRow("localhost") << "LocalHost"
                               << "prefer" << false;
    QTest::newRow("loopback v4") << "127.0.0.1"
                                 << "allow" << false;
    QTest::newRow("loopback v6") << "::1"
                                 << "disable" << false;
    QTest::newRow("school server, prefer") << "ecole.example"
                                           << "prefer" << true;
    QTest::newRow("address, disable") << "192.168.1.10"
                                      << "disable" << true;
    QTest::newRow("school server, require") << "ecole.example"
                                            << "require" << false;
    QTest::newRow("school server, verify-ca") << "ecole.example"
                                              << "verify-ca" << false;
    QTest::newRow("school server, verify-full") << "ecole.example"
                                                << "verify-full" << false;
}

void TestClasseLink::clearConnectionToAnotherComputerWarns()
{
    QFETCH(QString, host);
    QFETCH(QString, sslmode);
    QFETCH(bool, warns);
    classe::ClassServer server;
    server.host = host;
    server.sslmode = sslmode;
    QCOMPARE(server.isUnencryptedRemote(), warns);
    const QString warning = classe::unencryptedWarning(server);
    QCOMPARE(!warning.isEmpty(), warns);
    if (warns) {
        QVERIFY(warning.contains(QStringLiteral("«\u00a0") + host + QStringLiteral("\u00a0»")));
        QVERIFY(warning.contains(QStringLiteral("chiffrée\u00a0: ")));
    }
}

void TestClasseLink::statusSaysWhatWaits_data()
{
    QTest::addColumn<int>("waiting");
    QTest::addColumn<bool>("online");
    QTest::addColumn<QString>("text");
    QTest::newRow("up to date") << 0 << true << "Classe CM2 B\u00a0: à jour";
    QTest::newRow("offline") << 3 << false << "hors ligne\u00a0: 3 séances en attente";
    QTest::newRow("offline, one") << 1 << false << "hors ligne\u00a0: 1 séance en attente";
    QTest::newRow("offline, nothing waits") << 0 << false << "Classe CM2 B\u00a0: hors ligne";
    QTest::newRow("online, refused") << 2 << true << "Classe CM2 B\u00a0: 2 séances en attente";
}

void TestClasseLink::statusSaysWhatWaits()
{
    QFETCH(int, waiting);
    QFETCH(bool, online);
    QFETCH(QString, text);
    QCOMPARE(classe::statusText(QStringLiteral("CM2 B"), waiting, online), text);
}

void TestClasseLink::assignmentSentence_data()
{
    // "module:first-last precision speed due" each; sessions
    // "module:lesson good/errors/seconds/completed[/typing ms, 30000]", good keys in 60 s being
    // a fifth of them in words a minute (100 keys: 20 words).
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QStringList>("sessions");
    QTest::addColumn<QString>("sentence");
    const QString ex4 = QStringLiteral(
        "Consigne de la classe\u00a0: encore l'exercice 4, à 95\u00a0% et 20\u00a0mots/min, avant le "
        "18\u00a0décembre");
    const QStringList oneToSix{"2:1-6 95 20 2026-12-18"};
    const QStringList threeMet{"2:1 100/0/60/t", "2:2 100/5/60/t", "2:3 200/10/120/t"};
    QTest::newRow("no assignment") << QStringList{} << threeMet << "";
    QTest::newRow("the first not met") << oneToSix << threeMet << ex4;
    QTest::newRow("met out of order still counts")
        << oneToSix << QStringList{"2:3 100/0/60/t", "2:2 100/0/60/t", "2:1 100/0/60/t"} << ex4;
    QTest::newRow("left before the end")
        << oneToSix << QStringList{"2:1 100/0/60/f"}
        << QString(ex4).replace(QStringLiteral("exercice 4"), QStringLiteral("exercice 1"));
    QTest::newRow("precision under by a tenth")
        << QStringList{"2:4-6 95 20 2026-12-18"} << QStringList{"2:4 1898/101/60/t"} << ex4;
    QTest::newRow("speed under by one")
        << QStringList{"2:4 95 20 2026-12-18"} << QStringList{"2:4 99/0/60/t"} << ex4;
    QTest::newRow("no chronometer: the typing time")
        << QStringList{"2:4 95 20 2026-12-18"} << QStringList{"2:4 100/0/0/t"}
        << "Consigne de la classe\u00a0: tout est atteint, bravo\u00a0!";
    QTest::newRow("another module's lesson 4 is not exercise 4")
        << QStringList{"2:4 95 20 2026-12-18"} << QStringList{"3:4 100/0/60/t"} << ex4;
    QTest::newRow("the nearest date first, undated last")
        << QStringList{"2:9 95 20 ", "2:4 95 20 2026-12-18", "2:1 95 20 2027-01-05"} << QStringList{} << ex4;
    QTest::newRow("past due, another year")
        << QStringList{"2:12 92.5 15 2026-12-01", "2:13 95 20 2027-01-05"} << QStringList{"2:12 100/8/60/t"}
        << "Consigne de la classe\u00a0: encore l'exercice 13, à 95\u00a0% et 20\u00a0mots/min, avant le "
           "5\u00a0janvier\u00a02027";
    QTest::newRow("due already, on the 1st")
        << QStringList{"2:12 92.5 15 2026-12-01"} << QStringList{"2:12 100/9/60/t"}
        << "Consigne de la classe\u00a0: encore l'exercice 12, à 92,5\u00a0% et 15\u00a0mots/min, qui était "
           "pour le 1er\u00a0décembre";
    QTest::newRow("a range past the last exercise")
        << QStringList{"2:17-40 95 20 "} << QStringList{"2:17 100/0/60/t", "2:18 100/0/60/t"}
        << "Consigne de la classe\u00a0: tout est atteint, bravo\u00a0!";
    QTest::newRow("no speed asked: too short to time")
        << QStringList{"2:3 95 0 "} << QStringList{"2:3 10/0/0/t/500"}
        << "Consigne de la classe\u00a0: tout est atteint, bravo\u00a0!";
    QTest::newRow("a phrase lesson by its menu's name")
        << QStringList{"3:2 95 0 "} << QStringList{}
        << "Consigne de la classe\u00a0: encore «\u00a0Phrases, Maximes\u00a0», à 95\u00a0%";
}

void TestClasseLink::assignmentSentence()
{
    QFETCH(QStringList, assignments);
    QFETCH(QStringList, sessions);
    QFETCH(QString, sentence);
    QList<classe::Assignment> assigned;
    for (const QString &a : assignments) {
        const QStringList f = a.split(u' ');
        const QString lessons = f[0].section(u':', 1);
        assigned << classe::Assignment{0,
                                       0,
                                       f[0].section(u':', 0, 0),
                                       lessons.section(u'-', 0, 0),
                                       lessons.contains(u'-') ? lessons.section(u'-', 1)
                                                              : lessons.section(u'-', 0, 0),
                                       f[1].toDouble(),
                                       f[2].toInt(),
                                       QDate::fromString(f[3], Qt::ISODate)};
    }
    QList<progress::SessionRecord> journal;
    for (const QString &s : sessions) {
        const QStringList f = s.section(u' ', 1).split(u'/');
        progress::SessionRecord r;
        r.module = s.section(u':', 0, 0).toInt();
        r.lesson = s.section(u':', 1).section(u' ', 0, 0).toInt();
        r.good = f[0].toInt();
        r.errors = f[1].toInt();
        r.seconds = f[2].toInt();
        r.typingMs = f.value(4, QStringLiteral("30000")).toLongLong();
        r.completed = f[3] == QLatin1String("t");
        journal << r;
    }
    // Eighteen exercises, and one lesson of phrases.
    const auto name = [](int module, int lesson) {
        if (module == 2 && lesson >= 1 && lesson <= 18)
            return QStringLiteral("Exercices, %1").arg(lesson);
        return module == 3 && lesson == 2 ? QStringLiteral("Phrases, Maximes") : QString();
    };
    QCOMPARE(classe::assignmentSentence(assigned, journal, QDate(2026, 12, 10), name), sentence);
}

void TestClasseLink::frameShowsTheLinkOnlyWhenThereIsOne_data()
{
    QTest::addColumn<QString>("link"); // none, unreachable, cut
    QTest::addColumn<QString>("text");
    QTest::newRow("no class") << "none" << QString();
    QTest::newRow("server unreachable") << "unreachable"
                                        << "hors ligne\u00a0: 1 séance en attente";
    QTest::newRow("link cut") << "cut"
                              << "Classe CM2 B\u00a0: ce poste n'y est plus relié";
}

void TestClasseLink::frameShowsTheLinkOnlyWhenThereIsOne()
{
    QFETCH(QString, link);
    QFETCH(QString, text);
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    const QString journalPath = m_home.filePath(QStringLiteral("%1.sqlite").arg(link));
    progress::useJournal(journalPath);
    test::TempCwd cwd;
    test::PrompterScope prompts;
    test::startProgram();
    const auto done = qScopeGuard([] {
        classe::forgetLink();
        test::stopProgram();
        progress::useJournal({});
    });
    const QDateTime joined(QDate(2026, 12, 7), QTime(9, 0));
    if (link != QLatin1String("none")) {
        classe::ClassServer server;
        server.host = QStringLiteral("127.0.0.1");
        server.port = 1; // nobody answers there
        server.timeoutSeconds = 1;
        classe::keepLink(
            server, {{}, {}, QStringLiteral("Lou"), QStringLiteral("CM2 B"), QStringLiteral("0123")}, joined);
    }
    if (link == QLatin1String("cut"))
        classe::markLinkCut();
    TMainForm *frame = forms().MainForm;
    frame->followClassLink();
    if (link == QLatin1String("none")) {
        // The frame is the one without a class, and no journal was opened.
        QVERIFY(!frame->classOutbox() && !frame->classPanel());
        QVERIFY(!frame->findChild<QLabel *>(QStringLiteral("EtatClasse")));
        QVERIFY(!QFileInfo::exists(journalPath));
        return;
    }
    QVERIFY(frame->classPanel());
    if (link == QLatin1String("unreachable")) {
        // A session's end sends it; the server does not answer.
        progress::SessionRecord s;
        s.start = joined.addDays(1);
        s.end = s.start.addSecs(90);
        s.module = 2;
        s.lesson = 3;
        s.good = 40;
        s.uuid = QStringLiteral("6f1c2b7e-9a4d-4c55-8e21-3b0d5a7c9e10");
        progress::recordSession(nullptr, s);
        QTRY_VERIFY(frame->classOutbox()->sending());
        QTRY_VERIFY_WITH_TIMEOUT(frame->classOutbox()->retryTimer().isActive(), 20000);
        QVERIFY(frame->classPanel()->toolTip().contains(QStringLiteral("ne répond pas")));
    }
    QCOMPARE(frame->classPanel()->text(), text);
    QVERIFY(!frame->classPanel()->isHidden());
    // Quitting the class takes the words away.
    classe::forgetLink();
    frame->followClassLink();
    QTRY_VERIFY(!frame->classOutbox()->sending());
    QVERIFY(frame->classPanel()->isHidden());
}

// A connection the driver closed after seeing it die fails its next
// statement without any error: that is a connection lost, tried again
// later, never a server without the class's schema (as it once read, under
// a server restarted while 3,000 computers sent).
void TestClasseLink::closedConnectionIsTriedAgain()
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("closed"));
        QSqlQuery query(db);
        QVERIFY(!query.exec(QStringLiteral("SELECT version FROM classe.schema_version")));
        QVERIFY(!query.lastError().isValid());
        // Callers tell a failure by a valid error.
        QVERIFY(classe::statementError(query).isValid());
        const classe::Failure failure = classe::statementFailureOf(classe::statementError(query));
        QCOMPARE(failure, classe::Failure::ConnectionLost);
        QVERIFY(classe::retryLater(failure));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("closed"));
}

QTEST_MAIN(TestClasseLink)
#include "tst_classe_link.moc"
