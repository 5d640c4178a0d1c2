// What the class link says without a server: the warning for a connection
// in clear, and the status bar's words, in the frame too.
#include "app/forms.h"
#include "app/tmainform.h"
#include "classe/classoutbox.h"
#include "classe/classserver.h"
#include "classe/classstatus.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "support/testsupport.h"

#include <QLabel>
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
    void frameShowsTheLinkOnlyWhenThereIsOne_data();
    void frameShowsTheLinkOnlyWhenThereIsOne();

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

QTEST_MAIN(TestClasseLink)
#include "tst_classe_link.moc"
