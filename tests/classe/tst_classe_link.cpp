// What the class link says without a server: the warning for a connection
// in clear, and the status bar's words.
#include "classe/classserver.h"
#include "classe/classstatus.h"

#include <QtTest>

class TestClasseLink : public QObject
{
    Q_OBJECT
private slots:
    void clearConnectionToAnotherComputerWarns_data();
    void clearConnectionToAnotherComputerWarns();
    void statusSaysWhatWaits_data();
    void statusSaysWhatWaits();
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

QTEST_GUILESS_MAIN(TestClasseLink)
#include "tst_classe_link.moc"
