// A class across two computers: two pupils, each with a home of their own,
// join their class in the real program through Options › Classe, type an
// exercise each, and the teacher's Classe window shows both rows with their
// session. X key and mouse events through the French layout; the class
// server is a throw-away PostgreSQL (run under pg_virtualenv).
#include "classe/tclasse.h"
#include "classe/teacherclient.h"
#include "drills/exercisetexts.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidget>
#include <QtTest>

#include "hookclient.h"

class TestX11Classe : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void twoPupilsShowInTheTeachersGrid();

private:
    QSqlQuery run(const QString &sql, const QVariantList &values = {});
    // One pupil's computer: joins with the codes, types the start of
    // exercise 1, then another lesson ends the session, which goes.
    void pupilTypesAnExercise(const QString &name, const QString &classCode, const QString &code);
    int sessionsOf(const QString &name);

    classe::ClassServer m_server;
};

void TestX11Classe::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs an X server (run through scripts/xvfb.sh)");
    if (qEnvironmentVariableIsEmpty("PGPORT"))
        QSKIP("needs a server: run under pg_virtualenv");
    QCOMPARE(QProcess::execute(QStringLiteral("psql"),
                               {"-X", "-q", "-v", "ON_ERROR_STOP=1", "-f", QStringLiteral(CLASSE_SCHEMA)}),
             0);
    m_server.host = qEnvironmentVariable("PGHOST");
    m_server.port = qEnvironmentVariableIntValue("PGPORT");
    m_server.database = qEnvironmentVariable("PGDATABASE");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
    db.setHostName(m_server.host);
    db.setPort(m_server.port);
    db.setDatabaseName(m_server.database);
    db.setUserName(qEnvironmentVariable("PGUSER"));
    db.setPassword(qEnvironmentVariable("PGPASSWORD"));
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    run(QStringLiteral("CREATE ROLE maitresse LOGIN PASSWORD 'm' IN ROLE tapivox_enseignants"));
    run(QStringLiteral("ALTER ROLE tapivox_eleve PASSWORD 'eleves'"));
}

QSqlQuery TestX11Classe::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(QSqlDatabase::database(QStringLiteral("admin"), false));
    bool done = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!values.isEmpty() && done)
        done = query.exec();
    if (!done)
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return query;
}

int TestX11Classe::sessionsOf(const QString &name)
{
    QSqlQuery query = run(QStringLiteral("SELECT count(*) FROM classe.sessions s JOIN classe.pupils p"
                                         " ON p.id = s.pupil_id WHERE p.name = ?"),
                          {name});
    return query.next() ? query.value(0).toInt() : -1;
}

void TestX11Classe::pupilTypesAnExercise(const QString &name, const QString &classCode, const QString &code)
{
    QTemporaryDir home;
    QVERIFY(home.isValid() && QDir(home.path()).mkpath(QStringLiteral("hook")));
    HookClient client(home.filePath(QStringLiteral("hook")));
    const auto value = [&](const char *key) { return client.value(QLatin1String(key)); };
    const auto waitFor = [&](const std::function<bool()> &ready) { return client.waitFor(ready, 20000); };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    QVERIFY(client.start(QStringLiteral(JOURNEY_APP), home.path(), env));

    // Options › Classe, with the mouse (the keyboard window takes Alt as a
    // key to describe), then the letter.
    QVERIFY(client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Options1")));
    QVERIFY(waitFor([&] { return value("popup") == QLatin1String("Options1"); }));
    QVERIFY(HookClient::keys({QStringLiteral("s")}));
    QVERIFY(waitFor([&] { return value("modal") == QLatin1String("DialogueClasse"); }));
    QVERIFY(waitFor([&] { return value("focus") == QLatin1String("Adresse"); }));
    // The fields in their order: address, port, database, TLS mode (as it
    // is), the pupils' role and password, then both codes; Entrée joins.
    QVERIFY(HookClient::type(m_server.host));
    QVERIFY(HookClient::keys({QStringLiteral("Tab"), QStringLiteral("ctrl+a")}));
    QVERIFY(HookClient::type(QString::number(m_server.port)));
    QVERIFY(HookClient::keys({QStringLiteral("Tab"), QStringLiteral("ctrl+a")}));
    QVERIFY(HookClient::type(m_server.database));
    QVERIFY(HookClient::keys({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("ctrl+a")}));
    QVERIFY(waitFor([&] { return value("focus") == QLatin1String("RoleEleves"); }));
    QVERIFY(HookClient::type(QStringLiteral("tapivox_eleve")));
    QVERIFY(HookClient::keys({QStringLiteral("Tab")}));
    QVERIFY(HookClient::type(QStringLiteral("eleves")));
    QVERIFY(HookClient::keys({QStringLiteral("Tab")}));
    QVERIFY(HookClient::type(classCode));
    QVERIFY(HookClient::keys({QStringLiteral("Tab")}));
    QVERIFY(waitFor([&] { return value("focus") == QLatin1String("CodePersonnel"); }));
    QVERIFY(HookClient::type(code));
    QVERIFY(HookClient::keys({QStringLiteral("Return")}));
    // Joined: the link is kept in the pupil's own settings file.
    const QString settings = home.filePath(QStringLiteral("config/Tapivox/Tapivox.conf"));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QFile file(settings);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("jeton=");
        }(),
        20000);
    QVERIFY(HookClient::keys({QStringLiteral("Escape")}));
    QVERIFY(waitFor([&] { return value("modal").isEmpty(); }));

    // Exercise 1 from the menu, its first words typed right.
    QVERIFY(client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Exercices1")));
    QVERIFY(waitFor([&] { return value("popup") == QLatin1String("Exercices1"); }));
    QVERIFY(client.click(QStringLiteral("Exercices1"), QStringLiteral("menuitem.N1gh1")));
    QVERIFY(waitFor([&] {
        return value("active") == QLatin1String("TExos") && value("focus") == QLatin1String("Edit2");
    }));
    const QString words = QString::fromUtf8(drills::exerciseText(1)->models[0]).left(5);
    QVERIFY(HookClient::type(words));
    QVERIFY(waitFor([&] { return value("TExos.Edit2") == words; }));
    // A new lesson ends the session: it is kept, and sent.
    QVERIFY(client.click(QStringLiteral("TMainForm"), QStringLiteral("menubar.Fichier1")));
    QVERIFY(waitFor([&] { return value("popup") == QLatin1String("Fichier1"); }));
    QVERIFY(client.click(QStringLiteral("Fichier1"), QStringLiteral("menuitem.Nouvelleleon1")));
    QTRY_COMPARE_WITH_TIMEOUT(sessionsOf(name), 1, 20000);
    client.stop();
}

void TestX11Classe::twoPupilsShowInTheTeachersGrid()
{
    classe::ClassServer teacher = m_server;
    teacher.user = QStringLiteral("maitresse");
    teacher.password = QStringLiteral("m");
    auto client = std::make_unique<classe::TeacherClient>(teacher);
    QVERIFY2(client->open(), qPrintable(client->message()));
    const std::optional<classe::TeacherClass> made = client->createClass(QStringLiteral("CM2 B"));
    QVERIFY2(made, qPrintable(client->message()));
    const QStringList names{QStringLiteral("Léa"), QStringLiteral("Tom")};
    const auto codes = client->addPupils(made->id, names);
    QCOMPARE(codes.size(), 2);
    for (int i = 0; i < 2; ++i) {
        pupilTypesAnExercise(names[i], made->code, codes[i].code);
        if (QTest::currentTestFailed())
            return;
    }
    classe::TClasse window(std::move(client), {{2, QStringLiteral("Exercices"), {}}});
    window.refresh();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *grid = window.findChild<QTableWidget *>(QStringLiteral("GrilleClasse"));
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(grid->item(row, 0)->text(), names[row]);
        QVERIFY(window.grid()->rows[row].lastSession.isValid());
    }
}

QTEST_MAIN(TestX11Classe)
#include "tst_x11_classe.moc"
