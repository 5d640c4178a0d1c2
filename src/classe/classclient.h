// A pupil's computer talking to the class server: joining a class with its
// codes, sending the journal's finished sessions, and reading what the class
// asks (assignments, hidden lessons). Plain logic on its own
// database connection, so that a worker thread can run it; every value is
// bound, and the server's functions decide what the pupil may do.
#pragma once
#include "classe/classserver.h"
#include "classe/classwork.h"
#include "classe/serverconnection.h"
#include "progress/sessiontally.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QSqlError;
class QSqlQuery;

namespace classe {

// The server's schema version this program speaks.
inline constexpr int kSchemaVersion = 4;

// Why the server could not be used, each with its French message.
enum class Failure {
    None,
    NoDriver,       // Qt's PostgreSQL driver is not installed
    BadSettings,    // a TLS mode libpq does not know
    Tls,            // the encrypted connection failed (certificate)
    Unreachable,    // no server answers at that address
    Refused,        // the server refuses this computer's login
    Busy,           // starting, stopping, out of connections or memory
    ConnectionLost, // cut while talking
    NoSchema,       // a PostgreSQL without the class schema
    SchemaVersion,  // a schema of another version
    UnknownClass,   // no such class code: mistyped, or the class deleted
    WrongCode,      // no such personal code in the class: mistyped, or the pupil removed
    Locked,         // too many wrong codes for the class lately
    Unlinked,       // the computer's link is cut: pupil removed, class deleted
    ServerFull,     // the server's disk is full
    Server,         // anything else the server refused
};

// Worth trying again by itself later: the fault is the server's or the
// network's. A wrong code is not: each try counts towards the class's lock.
bool retryLater(Failure failure);
// How a failed statement or a refused connection sorts, for every client of
// the class server (pupils' and teachers').
Failure statementFailureOf(const QSqlError &error);
Failure connectFailureOf(const QSqlError &error);
// The French words for a failure with these settings (version: the
// server's schema, for SchemaVersion).
QString failureMessage(Failure failure, const ClassServer &server, int version = 0);

// What a pupil's computer keeps of its class (never a teacher's password).
struct ClassLink
{
    QString classCode;
    QString personalCode;
    QString pupilName;
    QString className;
    // Given by the server at the join: the sends prove the pupil with it, so
    // that the personal code's slow proof is paid once per computer.
    QString token;
};

struct SendReport
{
    QStringList stored;  // uuids the server now holds, in the order sent
    QStringList waiting; // uuids still to send, in order; the one that failed first
    QStringList skipped; // sessions the server can never take (no uuid, impossible figures)
    Failure failure = Failure::None;
    QString message; // French, empty when all went
};

class ClassClient final
{
public:
    explicit ClassClient(ClassServer server);
    ~ClassClient();
    Q_DISABLE_COPY_MOVE(ClassClient)

    const ClassServer &server() const { return m_server; }

    // Connects and checks the server's schema version; false with failure()
    // and message() set. A connection lost is opened again here.
    bool open();
    void close();
    bool isOpen() const;

    // The pupil's link when both codes are right; spaces typed in the codes
    // are ignored.
    std::optional<ClassLink> join(const QString &classCode, const QString &personalCode);

    // Sends the sessions one by one in their order and stops at the first
    // failure. Each send is its own transaction and the server keeps one row
    // per uuid, so a session whose answer was lost is sent again safely.
    SendReport send(const ClassLink &link, const QList<progress::SessionRecord> &sessions);
    // Told after each session the server confirmed (the status bar counts
    // down; tests interrupt the batch there).
    void setAfterEachStored(std::function<void(const QString &uuid)> told) { m_afterEach = std::move(told); }

    // What the class asks of the linked pupil: the class's assignments and
    // their own (never another pupil's), earliest due first, and the lessons
    // the class hides. Nothing, with failure() set, when the server cannot
    // answer; Unlinked when the link no longer opens the class.
    std::optional<QList<Assignment>> assignments(const ClassLink &link);
    std::optional<QList<HiddenLesson>> hiddenLessons(const ClassLink &link);
    // Both at once: nothing unless both were read.
    std::optional<ClassWork> work(const ClassLink &link);

    Failure failure() const { return m_failure; }
    const QString &message() const { return m_message; }
    // The driver's own words for the last failure, for a log.
    const QString &detail() const { return m_detail; }

    // The French words for a failure.
    QString messageFor(Failure failure, int version = 0) const;

private:
    bool fail(Failure failure, const QString &detail, int version = 0);
    // Sorts a failed statement; drops the connection when it is gone.
    Failure statementFailure(const QSqlError &error);
    bool checkVersion();
    // Runs a pupil's reading function on the link's token; false with
    // failure() set.
    bool readLinked(const ClassLink &link, const QString &sql,
                    const std::function<void(const QSqlQuery &)> &row);

    ClassServer m_server;
    ServerConnection m_db;
    Failure m_failure = Failure::None;
    QString m_message;
    QString m_detail;
    std::function<void(const QString &)> m_afterEach;
};

} // namespace classe
