// Sending sessions to a real class server: run under pg_virtualenv, which
// makes a throw-away cluster and exports PGHOST, PGPORT, PGUSER, PGPASSWORD.
// The shipped schema is applied, and a teacher makes the classes and pupils
// through the teacher's own functions.
#include "classe/classclient.h"
#include "classe/classoutbox.h"
#include "classe/classsender.h"
#include "classe/dialogueclasse.h"
#include "classe/workfollower.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "support/testsupport.h"
#include "ui/settings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

using classe::Failure;
using progress::SessionRecord;

namespace {

const QString kAdmin = QStringLiteral("admin");
const QString kTeacher = QStringLiteral("teacher");

struct Pupil
{
    qint64 classId = 0;
    QString classCode;
    QString code;
    QString token; // the link the pupil's computer got when it joined
    // Linked: sends prove the pupil by the token; otherwise by both codes.
    classe::ClassLink link(bool linked = true) const
    {
        return {classCode, code, {}, {}, linked ? token : QString()};
    }
};

} // namespace

class TestClasseSending : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void joinChecksBothCodes_data();
    void joinChecksBothCodes();
    void openRefusesWhatIsNotItsServer_data();
    void openRefusesWhatIsNotItsServer();
    void sendingTwiceStoresOnceInOrder();
    void interruptedBatchIsCompletedOnRetry_data();
    void interruptedBatchIsCompletedOnRetry();
    void senderAnswersFromItsThread();
    void pupilReadsOwnClassWork_data();
    void pupilReadsOwnClassWork();
    void followerKeepsTheLastAnswer();
    void outboxSendsEachSessionOnceInOrder_data();
    void outboxSendsEachSessionOnceInOrder();
    void dialogJoinsKeepsTheLinkAndQuits();

private:
    // Opens (again, after a restart) the superuser's and the teacher's
    // connections.
    void connect();
    QSqlQuery run(const QString &connection, const QString &sql, const QVariantList &values = {});
    Pupil newPupil(const QString &className, const QString &name);
    QStringList storedInOrder(const Pupil &pupil);
    void cluster(const QString &action);

    classe::ClassServer m_pupils;
    int m_classes = 0;
    QTemporaryDir m_home; // the settings file and the journal
};

namespace {

QList<SessionRecord> sessions(int count)
{
    QList<SessionRecord> list;
    const QDateTime monday(QDate(2026, 11, 30), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        SessionRecord s;
        s.start = monday.addSecs(i * 300).toLocalTime();
        s.end = s.start.addSecs(120 + i);
        s.module = 2;
        s.lesson = 1 + i % 6;
        s.good = 80 + i;
        s.errors = i % 3;
        s.seconds = 120 + i;
        s.typingMs = 110000 + i;
        if (i != 1)
            s.completed = i % 2 == 0;
        s.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        list << s;
    }
    return list;
}

QStringList uuidsOf(const QList<SessionRecord> &list, qsizetype from = 0, qsizetype count = -1)
{
    QStringList uuids;
    for (const SessionRecord &s : list.mid(from, count))
        uuids << s.uuid;
    return uuids;
}

} // namespace

void TestClasseSending::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("PGPORT"))
        QSKIP("needs a server: run under pg_virtualenv");
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    QCOMPARE(QProcess::execute(QStringLiteral("psql"),
                               {"-X", "-q", "-v", "ON_ERROR_STOP=1", "-f", QStringLiteral(CLASSE_SCHEMA)}),
             0);
    m_pupils.host = qEnvironmentVariable("PGHOST");
    m_pupils.port = qEnvironmentVariableIntValue("PGPORT");
    m_pupils.database = qEnvironmentVariable("PGDATABASE");
    m_pupils.password = QStringLiteral("eleves");
    m_pupils.timeoutSeconds = 5;
    const auto add = [this](const QString &name, const QString &user, const QString &password) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(m_pupils.host);
        db.setPort(m_pupils.port);
        db.setDatabaseName(m_pupils.database);
        db.setUserName(user);
        db.setPassword(password);
    };
    add(kAdmin, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"));
    add(kTeacher, QStringLiteral("maitresse"), QStringLiteral("m"));
    QVERIFY(QSqlDatabase::database(kAdmin).isOpen());
    run(kAdmin, "CREATE ROLE maitresse LOGIN PASSWORD 'm' IN ROLE tapivox_enseignants");
    run(kAdmin, "ALTER ROLE tapivox_eleve PASSWORD 'eleves'");
    // A full disk, as the server reports it, while this trigger is there.
    // A send that waits, from the third session of a pupil on, for as long
    // as the superuser holds the lock: the server is stopped under it.
    run(kAdmin, "CREATE FUNCTION public.hold_fourth() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN"
                " IF (SELECT count(*) FROM classe.sessions WHERE pupil_id = NEW.pupil_id) >= 3 THEN"
                " PERFORM pg_advisory_lock_shared(4242); PERFORM pg_advisory_unlock_shared(4242); END IF;"
                " RETURN NEW; END $$");
    run(kAdmin, "CREATE FUNCTION public.disk_full() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN"
                " RAISE EXCEPTION 'could not extend file' USING ERRCODE = 'disk_full'; END $$");
    connect();
}

void TestClasseSending::connect()
{
    for (const QString &name : {kAdmin, kTeacher}) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    }
}

QSqlQuery TestClasseSending::run(const QString &connection, const QString &sql, const QVariantList &values)
{
    // The driver prepares on the server, which takes no DDL: that runs as is.
    QSqlQuery query(QSqlDatabase::database(connection, false));
    bool done = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!values.isEmpty() && done)
        done = query.exec();
    if (!done)
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return query;
}

Pupil TestClasseSending::newPupil(const QString &className, const QString &name)
{
    Pupil pupil;
    QSqlQuery made = run(kTeacher, "SELECT id, code FROM classe.create_class(?)",
                         {className + QString::number(++m_classes)});
    if (made.next()) {
        pupil.classId = made.value(0).toLongLong();
        pupil.classCode = made.value(1).toString();
    }
    QSqlQuery added = run(kTeacher, "SELECT code FROM classe.add_pupil(?, ?)", {pupil.classId, name});
    if (added.next())
        pupil.code = added.value(0).toString();
    if (const auto link = classe::ClassClient(m_pupils).join(pupil.classCode, pupil.code))
        pupil.token = link->token;
    return pupil;
}

QStringList TestClasseSending::storedInOrder(const Pupil &pupil)
{
    // Each send is its own transaction: the inserting transaction's id
    // gives the order the rows arrived in.
    QSqlQuery query =
        run(kAdmin,
            "SELECT s.uuid::text FROM classe.sessions s JOIN classe.pupils p ON p.id = s.pupil_id"
            " WHERE p.class_id = ? ORDER BY s.xmin::text::bigint",
            {pupil.classId});
    QStringList uuids;
    while (query.next())
        uuids << query.value(0).toString();
    return uuids;
}

void TestClasseSending::cluster(const QString &action)
{
    // pg_virtualenv names its cluster "regress"; its port tells it apart.
    QProcess list;
    list.start(QStringLiteral("pg_lsclusters"), {QStringLiteral("-h")});
    QVERIFY(list.waitForFinished());
    QString version, name;
    for (const QString &line :
         QString::fromLocal8Bit(list.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.size() > 2 && fields[2].toInt() == m_pupils.port)
            version = fields[0], name = fields[1];
    }
    QVERIFY(!name.isEmpty());
    QCOMPARE(QProcess::execute(QStringLiteral("pg_ctlcluster"), {version, name, action}), 0);
}

void TestClasseSending::joinChecksBothCodes_data()
{
    QTest::addColumn<int>("wrongBefore");
    QTest::addColumn<QString>("classCode"); // {class} is the class's code
    QTest::addColumn<QString>("personal");  // {code} the pupil's
    QTest::addColumn<Failure>("failure");
    QTest::newRow("both right") << 0 << "{class}"
                                << "{code}" << Failure::None;
    QTest::newRow("typed with spaces, lower case") << 0 << " {class_lower} "
                                                   << "{code_spaced}" << Failure::None;
    QTest::newRow("wrong personal code") << 0 << "{class}"
                                         << "1234567" << Failure::WrongCode;
    QTest::newRow("unknown class") << 0 << "FFFFFFFFFF0"
                                   << "{code}" << Failure::UnknownClass;
    QTest::newRow("empty code") << 0 << "{class}"
                                << " " << Failure::WrongCode;
    QTest::newRow("four wrong, then right") << 4 << "{class}"
                                            << "{code}" << Failure::None;
    QTest::newRow("five wrong lock the class") << 5 << "{class}"
                                               << "{code}" << Failure::Locked;
}

void TestClasseSending::joinChecksBothCodes()
{
    QFETCH(int, wrongBefore);
    QFETCH(QString, classCode);
    QFETCH(QString, personal);
    QFETCH(Failure, failure);
    const Pupil pupil = newPupil(QStringLiteral("CM2 "), QStringLiteral("Léa"));
    QVERIFY(!pupil.code.isEmpty());
    classe::ClassClient client(m_pupils);
    for (int i = 0; i < wrongBefore; ++i)
        QVERIFY(!client.join(pupil.classCode, QStringLiteral("faux")));
    classCode.replace(QStringLiteral("{class_lower}"), pupil.classCode.toLower())
        .replace(QStringLiteral("{class}"), pupil.classCode);
    personal
        .replace(QStringLiteral("{code_spaced}"), pupil.code.left(4) + QLatin1Char(' ') + pupil.code.mid(4))
        .replace(QStringLiteral("{code}"), pupil.code);
    const std::optional<classe::ClassLink> link = client.join(classCode, personal);
    QCOMPARE(client.failure(), failure);
    QCOMPARE(link.has_value(), failure == Failure::None);
    if (link) {
        QCOMPARE(link->pupilName, QStringLiteral("Léa"));
        QVERIFY(link->className.startsWith(QStringLiteral("CM2 ")));
        QCOMPARE(link->classCode, pupil.classCode);
        QCOMPARE(link->personalCode, pupil.code);
        // Each join is a link of its own, the earlier ones still valid.
        QCOMPARE(link->token.size(), 32);
        QVERIFY(link->token != pupil.token);
    } else {
        QVERIFY(client.message().contains(QStringLiteral("\u00a0: ")));
    }
}

void TestClasseSending::openRefusesWhatIsNotItsServer_data()
{
    QTest::addColumn<int>("version");     // the server's schema version
    QTest::addColumn<QString>("setting"); // one of the pupils' settings changed
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("words");
    const int ours = classe::kSchemaVersion;
    QTest::newRow("newer schema")
        << ours + 1 << "" << Failure::SchemaVersion
        << QStringLiteral("un schéma plus récent (version %1) que celui de ce Tapivox (version %2)\u00a0: "
                          "mettez Tapivox à jour")
               .arg(ours + 1)
               .arg(ours);
    QTest::newRow("older schema") << 1 << "" << Failure::SchemaVersion << "un schéma plus ancien (version 1)";
    QTest::newRow("no schema") << ours << "database=template1" << Failure::NoSchema
                               << "n'a pas le schéma de la classe";
    QTest::newRow("no server") << ours << "port=1" << Failure::Unreachable << "(localhost:1) ne répond pas";
    QTest::newRow("wrong password") << ours << "password=faux" << Failure::Refused
                                    << "refuse la connexion de ce poste";
    QTest::newRow("no such database")
        << ours << "database=sans_classe" << Failure::Refused << "refuse la connexion";
    QTest::newRow("unknown TLS mode")
        << ours << "sslmode=oui" << Failure::BadSettings << "Mode TLS inconnu «\u00a0oui\u00a0»";
    // The driver splices its options unquoted: only libpq's own words pass.
    QTest::newRow("options in the TLS mode")
        << ours << "sslmode=disable host=ailleurs.example" << Failure::BadSettings << "Mode TLS inconnu";
}

void TestClasseSending::openRefusesWhatIsNotItsServer()
{
    QFETCH(int, version);
    QFETCH(QString, setting);
    QFETCH(Failure, failure);
    QFETCH(QString, words);
    classe::ClassServer server = m_pupils;
    const QString key = setting.section(QLatin1Char('='), 0, 0), value = setting.section(QLatin1Char('='), 1);
    if (key == QLatin1String("database"))
        server.database = value;
    else if (key == QLatin1String("port"))
        server.port = value.toInt();
    else if (key == QLatin1String("password"))
        server.password = value;
    else if (key == QLatin1String("sslmode"))
        server.sslmode = value;
    const QString toVersion = QStringLiteral("UPDATE classe.schema_version SET version = %1");
    run(kAdmin, toVersion.arg(version));
    const auto undone = qScopeGuard([&] { run(kAdmin, toVersion.arg(classe::kSchemaVersion)); });
    classe::ClassClient client(server);
    QVERIFY(!client.open());
    QVERIFY(!client.isOpen());
    QCOMPARE(client.failure(), failure);
    QVERIFY2(client.message().contains(words), qPrintable(client.message()));
    // What sending meets instead: every session waits.
    const QList<SessionRecord> batch = sessions(2);
    const classe::SendReport report =
        client.send({QStringLiteral("AB"), QStringLiteral("1"), {}, {}, {}}, batch);
    QCOMPARE(report.failure, failure);
    QCOMPARE(report.waiting, uuidsOf(batch));
    QVERIFY(report.stored.isEmpty());
}

void TestClasseSending::sendingTwiceStoresOnceInOrder()
{
    const Pupil pupil = newPupil(QStringLiteral("CE2 "), QStringLiteral("Tom"));
    classe::ClassClient client(m_pupils);
    QList<SessionRecord> batch = sessions(6);
    SessionRecord impossible = batch.takeLast();
    impossible.errors = -1;
    SessionRecord noUuid = sessions(1).first();
    noUuid.uuid.clear();
    batch.insert(2, impossible);
    batch.insert(4, noUuid);
    QList<SessionRecord> sendable = batch;
    sendable.removeAt(4);
    sendable.removeAt(2);
    for (int round = 0; round < 2; ++round) {
        if (round == 1) { // the server restarted meanwhile: the client's connection is gone
            cluster(QStringLiteral("stop"));
            cluster(QStringLiteral("start"));
            connect();
        }
        // By both codes, as a link kept without its token.
        const classe::SendReport report = client.send(pupil.link(false), batch);
        QCOMPARE(report.failure, Failure::None);
        QCOMPARE(report.stored, uuidsOf(sendable));
        QCOMPARE(report.skipped, (QStringList{impossible.uuid, QString()}));
        QVERIFY(report.waiting.isEmpty());
    }
    QCOMPARE(storedInOrder(pupil), uuidsOf(sendable));
    // What the server keeps of a session, and nothing of its keys or title.
    for (const SessionRecord &s : sendable) {
        QSqlQuery row =
            run(kAdmin,
                "SELECT concat_ws(' ', module, lesson, good, errors, seconds, typing_ms,"
                " extract(epoch FROM started)::bigint, extract(epoch FROM ended)::bigint, completed)"
                " FROM classe.sessions WHERE uuid = ?::uuid",
                {s.uuid});
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                                              .arg(s.module)
                                              .arg(s.lesson)
                                              .arg(s.good)
                                              .arg(s.errors)
                                              .arg(s.seconds)
                                              .arg(s.typingMs)
                                              .arg(s.start.toSecsSinceEpoch())
                                              .arg(s.end.toSecsSinceEpoch())
                                              .arg(s.completed.value_or(false) ? 't' : 'f'));
    }
    // Linked, a session's missed characters go with it: counts only, once.
    SessionRecord keyed = sessions(1).first();
    keyed.keys.insert(QStringLiteral("é"), {9, 2, 0, 0});
    keyed.keys.insert(QStringLiteral("a"), {20, 0, 0, 0});
    for (int round = 0; round < 2; ++round)
        QCOMPARE(client.send(pupil.link(), {keyed}).stored, QStringList{keyed.uuid});
    QSqlQuery misses = run(kAdmin,
                           "SELECT string_agg(character || typed || '/' || missed, ' ') FROM classe.session_misses"
                           " WHERE uuid = ?::uuid",
                           {keyed.uuid});
    QVERIFY(misses.next());
    QCOMPARE(misses.value(0).toString(), QStringLiteral("é9/2"));
}

void TestClasseSending::interruptedBatchIsCompletedOnRetry_data()
{
    QTest::addColumn<QString>("interruption");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<Failure>("failure");
    QTest::newRow("server stopped") << "stop" << true << Failure::ConnectionLost;
    QTest::newRow("disk full") << "disk full" << true << Failure::ServerFull;
    QTest::newRow("pupil removed") << "remove pupil" << true << Failure::Unlinked;
    QTest::newRow("class deleted") << "delete class" << true << Failure::Unlinked;
    QTest::newRow("link cut by the teacher") << "cut link" << true << Failure::Unlinked;
    QTest::newRow("pupil removed, by codes") << "remove pupil" << false << Failure::WrongCode;
    QTest::newRow("class deleted, by codes") << "delete class" << false << Failure::UnknownClass;
}

void TestClasseSending::interruptedBatchIsCompletedOnRetry()
{
    QFETCH(QString, interruption);
    QFETCH(bool, linked);
    QFETCH(Failure, failure);
    const Pupil pupil = newPupil(QStringLiteral("6e "), QStringLiteral("Inès"));
    QVERIFY(!pupil.token.isEmpty());
    const QList<SessionRecord> batch = sessions(8);
    classe::ClassClient client(m_pupils);
    int told = 0;
    client.setAfterEachStored([&](const QString &) {
        if (++told != 3)
            return;
        if (interruption == QLatin1String("stop"))
            cluster(QStringLiteral("stop"));
        else if (interruption == QLatin1String("disk full"))
            run(kAdmin, "CREATE TRIGGER disk_full BEFORE INSERT ON classe.sessions"
                        " FOR EACH ROW EXECUTE FUNCTION public.disk_full()");
        else if (interruption == QLatin1String("cut link"))
            run(kTeacher,
                "DELETE FROM classe.pupil_links WHERE pupil_id IN"
                " (SELECT id FROM classe.pupils WHERE class_id = ?)",
                {pupil.classId});
        else if (interruption == QLatin1String("remove pupil"))
            run(kTeacher, "DELETE FROM classe.pupils WHERE class_id = ?", {pupil.classId});
        else
            run(kTeacher, "DELETE FROM classe.classes WHERE id = ?", {pupil.classId});
    });
    classe::SendReport report = client.send(pupil.link(linked), batch);
    QCOMPARE(report.failure, failure);
    QCOMPARE(report.stored, uuidsOf(batch, 0, 3));
    QCOMPARE(report.waiting, uuidsOf(batch, 3));
    QVERIFY(!report.message.isEmpty());
    QCOMPARE(report.message, client.message());
    if (!classe::retryLater(failure))
        return; // the pupil must type a new code: no try of its own
    if (interruption == QLatin1String("stop")) {
        // Still down: the whole batch waits, and nothing is lost.
        report = client.send(pupil.link(linked), batch);
        QCOMPARE(report.failure, Failure::Unreachable);
        QCOMPARE(report.waiting, uuidsOf(batch));
        cluster(QStringLiteral("start"));
        connect();
    } else {
        run(kAdmin, "DROP TRIGGER disk_full ON classe.sessions");
    }
    // The whole batch again, as after an answer lost on the way.
    report = client.send(pupil.link(linked), batch);
    QCOMPARE(report.failure, Failure::None);
    QCOMPARE(report.stored, uuidsOf(batch));
    QCOMPARE(storedInOrder(pupil), uuidsOf(batch));
}

void TestClasseSending::senderAnswersFromItsThread()
{
    const Pupil pupil = newPupil(QStringLiteral("CM1 "), QStringLiteral("Zoé"));
    classe::ClassSender sender(m_pupils);
    QSignalSpy joined(&sender, &classe::ClassSender::joined);
    QSignalSpy refused(&sender, &classe::ClassSender::joinFailed);
    QSignalSpy stored(&sender, &classe::ClassSender::stored);
    QSignalSpy sent(&sender, &classe::ClassSender::sent);
    sender.join(pupil.classCode, QStringLiteral("faux"));
    sender.join(pupil.classCode, pupil.code);
    QTRY_COMPARE_WITH_TIMEOUT(joined.count(), 1, 20000);
    QCOMPARE(refused.count(), 1);
    QCOMPARE(refused.first().first().value<Failure>(), Failure::WrongCode);
    const auto link = joined.first().first().value<classe::ClassLink>();
    QCOMPARE(link.pupilName, QStringLiteral("Zoé"));
    const QList<SessionRecord> batch = sessions(4);
    sender.send(link, batch);
    QTRY_COMPARE_WITH_TIMEOUT(sent.count(), 1, 20000);
    QCOMPARE(stored.count(), 4);
    QCOMPARE(sent.first().first().value<classe::SendReport>().stored, uuidsOf(batch));
    QCOMPARE(storedInOrder(pupil), uuidsOf(batch));
}

void TestClasseSending::pupilReadsOwnClassWork_data()
{
    QTest::addColumn<QString>("interruption");
    QTest::addColumn<Failure>("failure");
    QTest::newRow("linked") << "" << Failure::None;
    QTest::newRow("through the sender's thread") << "sender" << Failure::None;
    QTest::newRow("link cut by the teacher") << "cut link" << Failure::Unlinked;
    QTest::newRow("pupil removed") << "remove pupil" << Failure::Unlinked;
    QTest::newRow("class deleted") << "delete class" << Failure::Unlinked;
    QTest::newRow("a link without its token") << "no token" << Failure::Unlinked;
    QTest::newRow("server stopped") << "stop" << Failure::Unreachable;
}

void TestClasseSending::pupilReadsOwnClassWork()
{
    QFETCH(QString, interruption);
    QFETCH(Failure, failure);
    const Pupil lea = newPupil(QStringLiteral("CM2 "), QStringLiteral("Léa"));
    const Pupil other = newPupil(QStringLiteral("CM1 "), QStringLiteral("Zoé"));
    QSqlQuery tom = run(kTeacher, "SELECT pupil_id FROM classe.add_pupil(?, ?)", {lea.classId, "Tom"});
    QVERIFY(tom.next());
    const auto assign = [this](qint64 classId, const QVariant &pupil, const char *module, const char *first,
                               const char *last, const QVariant &due) {
        run(kTeacher,
            "INSERT INTO classe.assignments (class_id, pupil_id, module, first_lesson, last_lesson,"
            " objective_precision, objective_speed, due) VALUES (?, ?, ?, ?, ?, 92.5, 15, ?)",
            {classId, pupil, module, first, last, due});
    };
    const QVariant nobody(QMetaType(QMetaType::LongLong));
    const QVariant noDate(QMetaType(QMetaType::QDate));
    // Léa's own, then the class's, which is due first; Tom's and another
    // class's are not hers.
    QSqlQuery leaId =
        run(kAdmin, "SELECT id FROM classe.pupils WHERE class_id = ? AND name = 'Léa'", {lea.classId});
    QVERIFY(leaId.next());
    assign(lea.classId, leaId.value(0), "2", "7", "9", noDate);
    assign(lea.classId, nobody, "2", "1", "6", QDate(2026, 12, 18));
    assign(lea.classId, tom.value(0), "3", "1", "1", noDate);
    assign(other.classId, nobody, "5", "1", "2", noDate);
    for (const auto &[classId, lesson] : {std::pair(lea.classId, "2"), std::pair(other.classId, "1")})
        run(kTeacher, "INSERT INTO classe.hidden_lessons VALUES (?, '5', ?)", {classId, lesson});
    classe::ClassLink link = lea.link();
    if (interruption == QLatin1String("cut link"))
        run(kTeacher, "DELETE FROM classe.pupil_links WHERE pupil_id = ?", {leaId.value(0)});
    else if (interruption == QLatin1String("remove pupil"))
        run(kTeacher, "DELETE FROM classe.pupils WHERE id = ?", {leaId.value(0)});
    else if (interruption == QLatin1String("delete class"))
        run(kTeacher, "DELETE FROM classe.classes WHERE id = ?", {lea.classId});
    else if (interruption == QLatin1String("no token"))
        link.token.clear();
    else if (interruption == QLatin1String("stop"))
        cluster(QStringLiteral("stop"));
    const auto restarted = qScopeGuard([&] {
        if (interruption == QLatin1String("stop")) {
            cluster(QStringLiteral("start"));
            connect();
        }
    });
    std::optional<classe::ClassWork> work;
    QString message;
    if (interruption == QLatin1String("sender")) {
        classe::ClassSender sender(m_pupils);
        QSignalSpy read(&sender, &classe::ClassSender::workRead);
        sender.readWork(link);
        QTRY_COMPARE_WITH_TIMEOUT(read.count(), 1, 20000);
        work = read.first().first().value<classe::ClassWork>();
    } else {
        classe::ClassClient client(m_pupils);
        work = client.work(link);
        QCOMPARE(client.failure(), failure);
        message = client.message();
    }
    QCOMPARE(work.has_value(), failure == Failure::None);
    if (!work) {
        QVERIFY(!message.isEmpty());
        return;
    }
    QStringList assignments;
    for (const classe::Assignment &a : work->assignments)
        assignments << QStringLiteral("%1:%2-%3 %4 %5 %6")
                           .arg(a.module, a.firstLesson, a.lastLesson)
                           .arg(a.precision)
                           .arg(a.speed)
                           .arg(a.due.toString(Qt::ISODate));
    QCOMPARE(assignments, (QStringList{"2:1-6 92.5 15 2026-12-18", "2:7-9 92.5 15 "}));
    QCOMPARE(work->hidden, (QList<classe::HiddenLesson>{{"5", "2"}}));
}

// The frame's follower: the server's answer is kept, applied again at once
// when the server cannot be reached, and forgotten with a cut link.
void TestClasseSending::followerKeepsTheLastAnswer()
{
    const Pupil pupil = newPupil(QStringLiteral("CE1 "), QStringLiteral("Ana"));
    run(kTeacher, "INSERT INTO classe.hidden_lessons VALUES (?, '5', '1')", {pupil.classId});
    run(kTeacher,
        "INSERT INTO classe.assignments (class_id, module, first_lesson, last_lesson, objective_precision,"
        " objective_speed) VALUES (?, '2', '1', '6', 95, 20)",
        {pupil.classId});
    const auto done = qScopeGuard([] { classe::forgetLink(); });
    classe::keepLink(m_pupils, {{}, {}, QStringLiteral("Ana"), QStringLiteral("CE1"), pupil.token},
                     QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
    QStringList applied; // "hidden lessons/assignments" each time
    const auto follow = [&](const QString &setting) {
        classe::ClassServer server = m_pupils;
        if (setting == QLatin1String("offline"))
            server.port = 1;
        classe::keepServer(server);
        if (setting == QLatin1String("cut"))
            run(kTeacher,
                "DELETE FROM classe.pupil_links WHERE pupil_id IN"
                " (SELECT id FROM classe.pupils WHERE class_id = ?)",
                {pupil.classId});
        classe::WorkFollower follower([&](const classe::ClassWork &work) {
            applied << QStringLiteral("%1/%2").arg(work.hidden.size()).arg(work.assignments.size());
        });
        QSignalSpy answered(&follower, &classe::WorkFollower::answered);
        QSignalSpy cut(&follower, &classe::WorkFollower::linkCut);
        follower.follow();
        QTRY_COMPARE_WITH_TIMEOUT(answered.count(), 1, 20000);
        QCOMPARE(cut.count(), setting == QLatin1String("cut") ? 1 : 0);
    };
    follow(QStringLiteral("online"));
    QCOMPARE(applied, (QStringList{"0/0", "1/1"})); // nothing kept yet, then the server's
    applied.clear();
    follow(QStringLiteral("offline"));
    QCOMPARE(applied, QStringList{"1/1"}); // the kept answer stays
    applied.clear();
    follow(QStringLiteral("cut"));
    QCOMPARE(applied, (QStringList{"1/1", "0/0"}));
    QVERIFY(classe::keptLink()->cut);
}

void TestClasseSending::outboxSendsEachSessionOnceInOrder_data()
{
    QTest::addColumn<QString>("interruption");
    QTest::newRow("server stopped, then started") << "stop";
    QTest::newRow("pupil removed") << "remove pupil";
}

// The journal's sessions since the join go, each once and in order, across
// a server stopped in the middle of a send; a link the server no longer
// knows is cut and sends nothing more.
void TestClasseSending::outboxSendsEachSessionOnceInOrder()
{
    QFETCH(QString, interruption);
    const Pupil pupil = newPupil(QStringLiteral("CM2 "), QStringLiteral("Noé"));
    progress::useJournal(m_home.filePath(QStringLiteral("data/%1.sqlite").arg(m_classes)));
    const auto done = qScopeGuard([] {
        classe::forgetLink();
        progress::useJournal({});
    });
    progress::Journal *journal = progress::journal();
    QList<SessionRecord> all = sessions(12);
    for (const SessionRecord &s : all)
        QVERIFY(journal->record(s));
    // The first two ended before the join.
    classe::keepLink(m_pupils, {{}, {}, QStringLiteral("Noé"), QStringLiteral("CM2"), pupil.token},
                     all[1].end.addSecs(1));
    const QStringList expected = uuidsOf(all, 2);
    classe::ClassOutbox outbox(&progress::journal);
    if (interruption == QLatin1String("remove pupil")) {
        run(kTeacher, "DELETE FROM classe.pupils WHERE class_id = ?", {pupil.classId});
        QSignalSpy cut(&outbox, &classe::ClassOutbox::linkCut);
        outbox.reload();
        QTRY_COMPARE_WITH_TIMEOUT(cut.count(), 1, 20000);
        QVERIFY(classe::keptLink() && classe::keptLink()->cut);
        QCOMPARE(outbox.statusText(), QStringLiteral("Classe CM2\u00a0: ce poste n'y est plus relié"));
        QVERIFY(!outbox.retryTimer().isActive());
        outbox.sendWaiting();
        QVERIFY(!outbox.sending());
        return;
    }
    run(kAdmin, "SELECT pg_advisory_lock(4242)");
    run(kAdmin, "CREATE TRIGGER hold_fourth BEFORE INSERT ON classe.sessions"
                " FOR EACH ROW EXECUTE FUNCTION public.hold_fourth()");
    const auto untrigger =
        qScopeGuard([&] { run(kAdmin, "DROP TRIGGER IF EXISTS hold_fourth ON classe.sessions"); });
    outbox.reload();
    QVERIFY(outbox.sending());
    QCOMPARE(outbox.waiting(), 10);
    QTRY_COMPARE_WITH_TIMEOUT(outbox.waiting(), 7, 20000);
    cluster(QStringLiteral("stop")); // the fourth send is cut under way
    QTRY_VERIFY_WITH_TIMEOUT(!outbox.sending(), 20000);
    QVERIFY(!outbox.online());
    QCOMPARE(outbox.statusText(), QStringLiteral("hors ligne\u00a0: 7 séances en attente"));
    QCOMPARE(outbox.retryTimer().interval(), classe::ClassOutbox::kFirstRetryMs);
    // A session ended while the server is down waits with the others; the
    // next try, still in vain, waits longer.
    SessionRecord offline = sessions(1).first();
    offline.start = all.last().end.addSecs(60);
    offline.end = offline.start.addSecs(60);
    QVERIFY(journal->record(offline));
    outbox.retryNow();
    QTRY_VERIFY_WITH_TIMEOUT(!outbox.sending(), 20000);
    QCOMPARE(outbox.waiting(), 8);
    QVERIFY(outbox.retryTimer().isActive());
    QCOMPARE(outbox.retryTimer().interval(), 2 * classe::ClassOutbox::kFirstRetryMs);
    cluster(QStringLiteral("start"));
    connect();
    run(kAdmin, "DROP TRIGGER hold_fourth ON classe.sessions");
    outbox.retryNow();
    QTRY_COMPARE_WITH_TIMEOUT(outbox.waiting(), 0, 20000);
    QTRY_VERIFY(!outbox.sending());
    QVERIFY(outbox.online());
    QCOMPARE(outbox.statusText(), QStringLiteral("Classe CM2\u00a0: à jour"));
    QCOMPARE(storedInOrder(pupil), expected + QStringList{offline.uuid});
    QVERIFY(
        journal->waitingForClass(journal->currentLearner(), classe::keptLink()->id, classe::keptLink()->since)
            .isEmpty());
}

// The dialog joins on its thread, keeps the link without the personal code,
// and quits only once asked.
void TestClasseSending::dialogJoinsKeepsTheLinkAndQuits()
{
    const Pupil pupil = newPupil(QStringLiteral("CE1 "), QStringLiteral("Lou"));
    test::PrompterScope prompts;
    const auto done = qScopeGuard([] { classe::forgetLink(); });
    auto dialog = std::make_unique<classe::DialogueClasse>();
    QSignalSpy changed(dialog.get(), &classe::DialogueClasse::linkChanged);
    const auto edit = [&](const char *name) { return dialog->findChild<QLineEdit *>(QLatin1String(name)); };
    edit("Adresse")->setText(m_pupils.host);
    dialog->findChild<QSpinBox *>(QStringLiteral("Port"))->setValue(m_pupils.port);
    edit("Base")->setText(m_pupils.database);
    auto *tls = dialog->findChild<QComboBox *>(QStringLiteral("ModeTLS"));
    tls->setCurrentIndex(tls->findData(QStringLiteral("prefer")));
    edit("RoleEleves")->setText(m_pupils.user);
    edit("MotDePasseEleves")->setText(m_pupils.password);
    edit("CodeClasse")->setText(pupil.classCode);
    edit("CodePersonnel")->setText(QStringLiteral("faux"));
    auto *join = dialog->findChild<QPushButton *>(QStringLiteral("Rejoindre1"));
    join->click();
    QVERIFY(dialog->joining());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->joining(), 20000);
    auto *message = dialog->findChild<QLabel *>(QStringLiteral("MessageClasse"));
    QVERIFY2(message->text().contains(QStringLiteral("n'ouvre pas cette classe")),
             qPrintable(message->text()));
    QVERIFY(!classe::keptLink());
    edit("CodePersonnel")->setText(pupil.code);
    join->click();
    QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 20000);
    const std::optional<classe::KeptLink> link = classe::keptLink();
    QVERIFY(link && !link->cut);
    QCOMPARE(link->pupilName, QStringLiteral("Lou"));
    QCOMPARE(link->server.port, m_pupils.port);
    QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("EtatLien"))->text().contains(QStringLiteral("Lou")));
    QVERIFY(dialog->findChild<QGroupBox *>(QStringLiteral("RejoindreClasse"))->isHidden());
    QVERIFY(!edit("Adresse")->isEnabled());
    QVERIFY(edit("CodePersonnel")->text().isEmpty());
    // The settings file has the token, never the personal code.
    const auto settingsFile = ui::settings()->fileName();
    QFile file(settingsFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    QVERIFY(kept.contains(link->token.toLatin1()));
    QVERIFY(!kept.contains(pupil.code.toLatin1()));
    // The teacher's way in takes the dialog's server, and closes it.
    dialog->findChild<QPushButton *>(QStringLiteral("Enseignant1"))->click();
    QVERIFY(dialog->teacherAsked());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->server().database, m_pupils.database);
    // Leaving asks first.
    dialog = std::make_unique<classe::DialogueClasse>();
    QSignalSpy left(dialog.get(), &classe::DialogueClasse::linkChanged);
    auto *leave = dialog->findChild<QPushButton *>(QStringLiteral("Quitterlaclasse1"));
    prompts.fake().confirmAnswers = {false};
    leave->click();
    QVERIFY(classe::keptLink());
    prompts.fake().confirmAnswers = {true};
    leave->click();
    QCOMPARE(prompts.fake().confirmations.size(), 2);
    QVERIFY(!classe::keptLink());
    QCOMPARE(left.count(), 1);
    QVERIFY(!dialog->findChild<QGroupBox *>(QStringLiteral("RejoindreClasse"))->isHidden());
    QVERIFY(dialog->findChild<QGroupBox *>(QStringLiteral("LienClasse"))->isHidden());
    // The server's settings stay for the next join.
    QCOMPARE(classe::keptServer().port, m_pupils.port);
}

QTEST_MAIN(TestClasseSending)
#include "tst_classe_sending.moc"
