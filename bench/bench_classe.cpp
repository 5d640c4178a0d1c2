// Many pupils' computers sending at once to one class server (run under
// pg_virtualenv, by bench/classe.sh): each pupil connects on its own
// connection, sends its sessions with the program's own client and, when
// the server is away, tries again with what still waits. Once half the
// sessions are in, the server is restarted. Prints whether every session is
// stored exactly once, sessions per second and the 95th percentile of one
// session's send. A measurement, not a test.
#include "classe/classclient.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Pupil
{
    classe::ClassLink link;
    QList<progress::SessionRecord> sessions;
};

QSqlQuery run(const QString &connection, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    bool done = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!values.isEmpty() && done)
        done = query.exec();
    if (!done)
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(query.lastError().text()));
    return query;
}

QSqlDatabase connectAs(const QString &name, const QString &user, const QString &password)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(qEnvironmentVariable("PGHOST"));
    db.setPort(qEnvironmentVariableIntValue("PGPORT"));
    db.setDatabaseName(qEnvironmentVariable("PGDATABASE"));
    db.setUserName(user);
    db.setPassword(password);
    if (!db.open())
        std::fprintf(stderr, "%s: %s\n", qPrintable(user), qPrintable(db.lastError().text()));
    return db;
}

// pg_virtualenv's cluster, told apart from others by its port.
QStringList clusterOfPort(int port)
{
    QProcess list;
    list.start(QStringLiteral("pg_lsclusters"), {QStringLiteral("-h")});
    list.waitForFinished();
    for (const QString &line :
         QString::fromLocal8Bit(list.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.size() > 2 && fields[2].toInt() == port)
            return fields.mid(0, 2);
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The driver's word for each query dropped with its connection.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtWarningMsg || !text.contains(QLatin1String("free statement")))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    const QStringList args = app.arguments();
    const int pupils = args.value(1, QStringLiteral("30")).toInt();
    const int perPupil = args.value(2, QStringLiteral("20")).toInt();
    const int classSize = args.value(3, QStringLiteral("30")).toInt();
    const int threads = std::min(pupils, args.value(4, QStringLiteral("60")).toInt());
    const int run_ = args.value(5, QStringLiteral("1")).toInt(); // tells the runs' teachers apart
    const QString teacherRole = QStringLiteral("bench_%1").arg(run_);

    connectAs(QStringLiteral("admin"), qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"));
    run(QStringLiteral("admin"),
        QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'b' IN ROLE tapivox_enseignants").arg(teacherRole));
    run(QStringLiteral("admin"), QStringLiteral("ALTER ROLE tapivox_eleve PASSWORD 'e'"));
    connectAs(QStringLiteral("teacher"), teacherRole, QStringLiteral("b"));

    // The classes and pupils, made by the teacher's functions.
    QList<Pupil> all;
    const QDateTime monday(QDate(2026, 11, 30), QTime(9, 0), Qt::UTC);
    qint64 classId = 0;
    QString classCode;
    for (int p = 0; p < pupils; ++p) {
        if (p % classSize == 0) {
            QSqlQuery made =
                run(QStringLiteral("teacher"), QStringLiteral("SELECT id, code FROM classe.create_class(?)"),
                    {QStringLiteral("Classe %1").arg(p / classSize + 1)});
            made.next();
            classId = made.value(0).toLongLong();
            classCode = made.value(1).toString();
        }
        QSqlQuery added =
            run(QStringLiteral("teacher"), QStringLiteral("SELECT code FROM classe.add_pupil(?, ?)"),
                {classId, QStringLiteral("Élève %1").arg(p + 1)});
        added.next();
        Pupil pupil{{classCode, added.value(0).toString(), {}, {}, {}}, {}};
        for (int i = 0; i < perPupil; ++i) {
            progress::SessionRecord s;
            s.start = monday.addSecs(i * 300);
            s.end = s.start.addSecs(120);
            s.module = 2;
            s.lesson = 1 + i % 18;
            s.good = 100 + i;
            s.errors = i % 4;
            s.seconds = 120;
            s.typingMs = 115000;
            s.completed = true;
            s.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            pupil.sessions << s;
        }
        all << pupil;
    }

    classe::ClassServer server;
    server.host = qEnvironmentVariable("PGHOST");
    server.port = qEnvironmentVariableIntValue("PGPORT");
    server.database = qEnvironmentVariable("PGDATABASE");
    server.password = QStringLiteral("e");

    // Each pupil's computer joins its class once, as at the start of the
    // year: the personal code's bcrypt is paid there, and the sends then
    // prove the pupil by the link's token.
    const auto joinStarted = Clock::now();
    {
        std::atomic<int> nextJoin{0}, failedJoins{0};
        std::vector<std::thread> joiners;
        Pupil *const each = all.data(); // not detached from the threads
        for (int t = 0; t < threads; ++t)
            joiners.emplace_back([&] {
                for (int p; (p = nextJoin.fetch_add(1)) < pupils;) {
                    classe::ClassClient client(server);
                    if (const auto link = client.join(each[p].link.classCode, each[p].link.personalCode))
                        each[p].link = *link;
                    else
                        failedJoins.fetch_add(1);
                }
            });
        for (std::thread &j : joiners)
            j.join();
        std::printf("pupils=%d joined in %.1f s, %d failed\n", pupils,
                    std::chrono::duration<double>(Clock::now() - joinStarted).count(), failedJoins.load());
    }

    const int total = pupils * perPupil;
    std::atomic<int> next{0}, stored{0}, retries{0}, givenUp{0};
    std::atomic<bool> restartAsked{false};
    std::mutex lock;
    std::vector<double> sendMs;
    double restartSeconds = 0;
    int restartStatus = -1;
    std::thread restarter;
    const QStringList cluster = clusterOfPort(server.port);
    const auto started = Clock::now();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            std::vector<double> mine;
            for (int p; (p = next.fetch_add(1)) < pupils;) {
                // One pupil's computer: its own connection.
                classe::ClassClient client(server);
                auto mark = Clock::now();
                client.setAfterEachStored([&](const QString &) {
                    const auto now = Clock::now();
                    mine.push_back(std::chrono::duration<double, std::milli>(now - mark).count());
                    mark = now;
                    if (stored.fetch_add(1) + 1 == total / 2 && !restartAsked.exchange(true))
                        restarter = std::thread([&] {
                            const auto at = Clock::now();
                            // Stopped, then started: "restart" has been seen to leave it running.
                            const auto ctl = [&](const QString &action) {
                                return QProcess::execute(QStringLiteral("pg_ctlcluster"),
                                                         {cluster.value(0), cluster.value(1), action});
                            };
                            restartStatus = ctl(QStringLiteral("stop")) | ctl(QStringLiteral("start"));
                            restartSeconds = std::chrono::duration<double>(Clock::now() - at).count();
                        });
                });
                QList<progress::SessionRecord> waiting = all[p].sessions;
                for (int attempt = 0; !waiting.isEmpty(); ++attempt) {
                    if (attempt > 0) {
                        ++retries;
                        std::this_thread::sleep_for(std::chrono::milliseconds(200));
                    }
                    if (!client.open()) {
                        if (classe::retryLater(client.failure()) && attempt < 300)
                            continue;
                        std::fprintf(stderr, "given up: %s (%s)\n", qPrintable(client.message()),
                                     qPrintable(client.detail()));
                        ++givenUp;
                        break;
                    }
                    mark = Clock::now();
                    const classe::SendReport report = client.send(all[p].link, waiting);
                    QList<progress::SessionRecord> still;
                    for (const progress::SessionRecord &s : waiting)
                        if (report.waiting.contains(s.uuid))
                            still << s;
                    waiting = still;
                    if (report.failure != classe::Failure::None && !classe::retryLater(report.failure)) {
                        std::fprintf(stderr, "%s\n", qPrintable(report.message));
                        ++givenUp;
                        break;
                    }
                }
            }
            const std::lock_guard<std::mutex> guard(lock);
            sendMs.insert(sendMs.end(), mine.begin(), mine.end());
        });
    for (std::thread &w : workers)
        w.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    if (restarter.joinable())
        restarter.join();

    // The server's own count, after the restart.
    QSqlDatabase::database(QStringLiteral("admin"), false).close();
    QSqlDatabase::database(QStringLiteral("admin"), false).open();
    QSqlQuery counted = run(QStringLiteral("admin"),
                            QStringLiteral("SELECT count(*), count(DISTINCT s.uuid) FROM classe.sessions s"
                                           " JOIN classe.pupils p ON p.id = s.pupil_id"
                                           " JOIN classe.class_teachers t ON t.class_id = p.class_id"
                                           " WHERE t.teacher = ?"),
                            {teacherRole});
    counted.next();
    const int rows = counted.value(0).toInt(), distinct = counted.value(1).toInt();
    std::sort(sendMs.begin(), sendMs.end());
    const double p95 = sendMs.empty() ? 0 : sendMs[std::min(sendMs.size() - 1, sendMs.size() * 95 / 100)];
    const double median = sendMs.empty() ? 0 : sendMs[sendMs.size() / 2];
    std::printf(
        "pupils=%d sessions=%d connections=%d stored=%d distinct=%d exactly_once=%s given_up=%d "
        "retries=%d restart_status=%d restart_s=%.1f seconds=%.1f sessions_per_s=%.0f send_median_ms=%.1f send_p95_ms=%.1f\n",
        pupils, total, threads, rows, distinct, rows == total && distinct == total ? "yes" : "NO",
        givenUp.load(), retries.load(), restartStatus, restartSeconds, seconds, total / seconds, median, p95);
    return rows == total && distinct == total ? 0 : 1;
}
