// The progression journal over Qt Sql's SQLite driver.
#include "progress/journal.h"

#include "progress/lessonfamily.h"
#include "progress/objective.h"
#include "ui/safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace progress {

namespace {

const char *const kDriver = "QSQLITE";

const char *const kSchema[] = {
    "CREATE TABLE session (id INTEGER PRIMARY KEY, start_ms INTEGER NOT NULL, end_ms INTEGER NOT NULL,"
    " module INTEGER NOT NULL, lesson INTEGER NOT NULL, good INTEGER NOT NULL, errors INTEGER NOT NULL,"
    " seconds INTEGER NOT NULL, typing_ms INTEGER NOT NULL)",
    "CREATE INDEX session_by_module ON session (module, start_ms)",
    "CREATE TABLE session_key (session INTEGER NOT NULL REFERENCES session (id) ON DELETE CASCADE,"
    " key TEXT NOT NULL, typed INTEGER NOT NULL, missed INTEGER NOT NULL)",
    "CREATE INDEX session_key_by_session ON session_key (session)",
};

// From version 1 to 2: the time of each character, the characters pressed
// for others, and a title for the lessons that work on the learner's own
// text.
const char *const kUpgrade2[] = {
    "ALTER TABLE session ADD COLUMN title TEXT",
    "ALTER TABLE session_key ADD COLUMN ms INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE session_key ADD COLUMN timed INTEGER NOT NULL DEFAULT 0",
    "CREATE TABLE session_confusion (session INTEGER NOT NULL REFERENCES session (id) ON DELETE CASCADE,"
    " expected TEXT NOT NULL, pressed TEXT NOT NULL, count INTEGER NOT NULL)",
    "CREATE INDEX session_confusion_by_session ON session_confusion (session)",
};

// From version 2 to 3: whether the session typed its lesson to the end
// (older sessions say nothing, NULL, which the path reads as it always
// did); the learners, each session belonging to one; a unique id for each
// session, so that a copy carried elsewhere is never stored twice. The
// sessions already there go to a first learner (addFirstLearner).
const char *const kUpgrade3[] = {
    "ALTER TABLE session ADD COLUMN completed INTEGER",
    "CREATE TABLE learner (id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE, name TEXT NOT NULL,"
    " level INTEGER NOT NULL DEFAULT 0, created_ms INTEGER NOT NULL, used_ms INTEGER NOT NULL DEFAULT 0)",
    "CREATE UNIQUE INDEX learner_by_name ON learner (name COLLATE NOCASE)",
    "ALTER TABLE session ADD COLUMN learner INTEGER REFERENCES learner (id)",
    "ALTER TABLE session ADD COLUMN uuid TEXT",
    // A version 4 UUID for each older session.
    "UPDATE session SET uuid = lower(hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||"
    " substr(hex(randomblob(2)), 2) || '-' || substr('89ab', 1 + abs(random()) % 4, 1) ||"
    " substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6))) WHERE uuid IS NULL",
    "CREATE UNIQUE INDEX session_by_uuid ON session (uuid)",
    "CREATE INDEX session_by_learner ON session (learner, start_ms)",
};

// From version 3 to 4: the review leaves the code right after the exercises
// (see lessonfamily.h).
const char *const kUpgrade4[] = {
    "UPDATE session SET lesson = 100 WHERE module = 2 AND lesson = 25",
};

// From version 4 to 5: the sessions a class server confirmed it holds, per
// learner and class link (pupillink.h); those of the link not here wait.
const char *const kUpgrade5[] = {
    "CREATE TABLE class_sent (learner INTEGER NOT NULL REFERENCES learner (id) ON DELETE CASCADE,"
    " link TEXT NOT NULL, uuid TEXT NOT NULL, PRIMARY KEY (learner, link, uuid)) WITHOUT ROWID",
};

// A session of an exercise typed to its end at the objective (older
// journals' sessions, which did not say, on their accuracy alone): the one
// text of the index below and of the queries that read it, which must say
// it the same way for SQLite to use the index.
#define TAPIVOX_PASSED_EXERCISE                                                                          \
    "module = 2 AND lesson < 100 AND good + errors > 0 AND COALESCE(completed, 1) = 1"               \
    " AND good * 100 >= 95 * (good + errors)"
static_assert(progress::kExercisesModule == 2 && progress::kReviewLesson == 100 &&
              progress::kObjectivePercent == 95);

// From version 5 to 6: a long history is read through indexes: a family's
// sessions and their characters, and the exercises each learner passed.
const char *const kUpgrade6[] = {
    "CREATE INDEX IF NOT EXISTS session_by_family ON session (learner, module, start_ms)",
    "CREATE INDEX IF NOT EXISTS session_passed ON session (learner, lesson) WHERE " TAPIVOX_PASSED_EXERCISE,
};

// The steps from each version to the next, in order: kSteps[v - 1] takes a
// journal of version v to version v + 1.
struct Step
{
    const char *const *begin;
    const char *const *end;
};
const Step kSteps[] = {
    {std::begin(kUpgrade2), std::end(kUpgrade2)},
    {std::begin(kUpgrade3), std::end(kUpgrade3)},
    {std::begin(kUpgrade4), std::end(kUpgrade4)},
    {std::begin(kUpgrade5), std::end(kUpgrade5)},
    {std::begin(kUpgrade6), std::end(kUpgrade6)},
};
static_assert(std::size(kSteps) + 1 == progress::Journal::kSchemaVersion);
static_assert(progress::kReviewLesson == 100 && progress::kFormerReviewLesson == 25 &&
              progress::kExercisesModule == 2);

// SQLite's result codes (the low byte of an extended code).
enum SqliteCode {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kNoMem = 7,
    kReadOnly = 8,
    kIoErr = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kNotADb = 26,
};

int sqliteCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}

bool isBusy(const QSqlError &error)
{
    const int code = sqliteCode(error);
    return code == kBusy || code == kLocked;
}

// The reason of a failure in the learner's words, not SQLite's English.
QString sqlDetail(const QSqlError &error, const QString &path)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    switch (sqliteCode(error)) {
    case kPerm: return ui::systemReason(EACCES);
    case kBusy:
    case kLocked: return QStringLiteral("un autre programme l'utilise");
    case kNoMem: return ui::systemReason(ENOMEM);
    case kReadOnly:
        return QStringLiteral("le fichier ou son dossier «\u00a0%1\u00a0» ne peut pas être écrit")
            .arg(folder);
    case kIoErr: return ui::systemReason(EIO);
    case kCorrupt: return QStringLiteral("le fichier est endommagé");
    case kFull: return ui::systemReason(ENOSPC);
    case kCantOpen:
        if (file.isDir())
            return ui::systemReason(EISDIR);
        if (file.exists() && !file.isReadable())
            return ui::systemReason(EACCES);
        if (!QFileInfo(file.absolutePath()).isWritable())
            return QStringLiteral("le dossier «\u00a0%1\u00a0» ne peut pas être écrit").arg(folder);
        return QStringLiteral("le fichier ne peut pas être ouvert");
    case kNotADb: return QStringLiteral("ce fichier n'est pas un historique de progression");
    default:
        return error.nativeErrorCode().isEmpty()
                   ? QStringLiteral("erreur inconnue")
                   : QStringLiteral("erreur %1 de la base de données").arg(error.nativeErrorCode());
    }
}

} // namespace

const char *Journal::querySql(Query query)
{
    switch (query) {
    case Query::Sessions:
        return "SELECT start_ms, end_ms, module, lesson, good, errors, seconds, typing_ms, title,"
               " completed, uuid FROM session WHERE learner = ? ORDER BY start_ms DESC, id DESC LIMIT ?";
    case Query::FamilySessions:
        return "SELECT start_ms, end_ms, module, lesson, good, errors, seconds, typing_ms, title,"
               " completed, uuid FROM session WHERE learner = ? AND module = ?"
               " ORDER BY start_ms DESC, id DESC LIMIT ?";
    case Query::KeyStats:
        return "SELECT k.key, SUM(k.typed), SUM(k.missed) FROM session s"
               " JOIN session_key k ON k.session = s.id WHERE s.learner = ? GROUP BY k.key";
    case Query::FamilyKeyStats:
        return "SELECT k.key, SUM(k.typed), SUM(k.missed) FROM session s"
               " JOIN session_key k ON k.session = s.id WHERE s.learner = ? AND s.module = ? GROUP BY k.key";
    case Query::PassedExercises:
        return "SELECT DISTINCT lesson FROM session WHERE learner = ? AND " TAPIVOX_PASSED_EXERCISE
               " ORDER BY lesson";
    case Query::Learners:
        // Each figure from an index, learner by learner.
        return "SELECT l.id, l.uuid, l.name, l.level,"
               " (SELECT MAX(start_ms) FROM session WHERE learner = l.id),"
               " (SELECT MIN(start_ms) FROM session WHERE learner = l.id),"
               " (SELECT COUNT(*) FROM session WHERE learner = l.id),"
               " (SELECT COUNT(DISTINCT lesson) FROM session WHERE learner = l.id AND " TAPIVOX_PASSED_EXERCISE "),"
               " (SELECT SUM(typing_ms) FROM session WHERE learner = l.id AND start_ms >= ?)"
               " FROM learner l ORDER BY l.used_ms DESC, l.id";
    }
    return "";
}

Journal::Journal(QString path)
    : m_path(std::move(path))
    , m_connection(QStringLiteral("progression-%1").arg(quintptr(this), 0, 16))
{}

Journal::~Journal()
{
    closeDatabase();
}

QString Journal::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/progression.sqlite");
}

void Journal::closeDatabase()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_open = false;
}

bool Journal::fail(const QString &what, const QString &detail)
{
    m_error = detail.isEmpty() ? what : what + QStringLiteral("\u00a0: ") + detail;
    return false;
}

bool Journal::failSql(const QString &what, const QSqlError &error)
{
    if (isBusy(error)) {
        m_busy = true;
        m_error = QStringLiteral("L'historique est utilisé par un autre programme");
        return false;
    }
    return fail(what, sqlDetail(error, m_path));
}

bool Journal::commitOrFail(QSqlDatabase &db, const QSqlQuery &query, bool ok, const QString &what)
{
    if (ok && db.commit())
        return true;
    const QSqlError detail = query.lastError().isValid() ? query.lastError() : db.lastError();
    db.rollback();
    return failSql(what, detail);
}

bool Journal::open()
{
    if (m_open)
        return true;
    if (!QSqlDatabase::isDriverAvailable(QLatin1String(kDriver)))
        return fail(QStringLiteral("Le pilote SQLite de Qt est absent (paquet libqt6sql6-sqlite)"), {});
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("Impossible de créer le dossier «\u00a0%1\u00a0»")
                        .arg(QDir::toNativeSeparators(folder)),
                    {});
    const Opening opening = openFile();
    if (opening != Opening::Damaged)
        return opening == Opening::Ready;
    if (!m_setAside.isEmpty())
        return false;
    // Not a journal we can read: keep it aside under another name (with its
    // rollback journal, which must not be replayed into a new file), then
    // start a new one.
    const QString aside = m_path + QStringLiteral(".endommage-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(m_path, aside))
        return false;
    const QString hot = m_path + QStringLiteral("-journal");
    if (QFileInfo::exists(hot))
        QFile::rename(hot, aside + QStringLiteral("-journal"));
    m_setAside = aside;
    return openFile() == Opening::Ready;
}

// Opens the file and checks it is a journal of ours; false with the error
// set. A damaged file leaves m_error set and the file untouched.
Journal::Opening Journal::openFile()
{
    closeDatabase();
    bool damaged = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kDriver), m_connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
        if (!db.open()) {
            const QSqlError detail = db.lastError();
            db = QSqlDatabase();
            closeDatabase();
            failSql(QStringLiteral("Impossible d'ouvrir l'historique de progression «\u00a0%1\u00a0»")
                        .arg(QDir::toNativeSeparators(m_path)),
                    detail);
            return Opening::Failed;
        }
        QSqlQuery query(db);
        int version = -1;
        bool checkFailed = false;
        if (query.exec(QStringLiteral("PRAGMA quick_check")) && query.next()) {
            checkFailed = query.value(0).toString() != QLatin1String("ok");
            if (!checkFailed && query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
                version = query.value(0).toInt();
        }
        // Only a failed check, or a file that is no database at all, is
        // damage; a file in use by another program or out of reach is left
        // as it is and tried again next time.
        const QSqlError error = query.lastError();
        const int code = sqliteCode(error);
        if (version < 0 && (checkFailed || code == kCorrupt || code == kNotADb)) {
            damaged = true;
            fail(QStringLiteral("L'historique de progression «\u00a0%1\u00a0» est illisible")
                     .arg(QDir::toNativeSeparators(m_path)),
                 checkFailed ? QStringLiteral("la vérification de son contenu a échoué")
                             : sqlDetail(error, m_path));
        } else if (version < 0) {
            query = QSqlQuery();
            db = QSqlDatabase();
            closeDatabase();
            failSql(QStringLiteral("Impossible de lire l'historique de progression «\u00a0%1\u00a0»")
                        .arg(QDir::toNativeSeparators(m_path)),
                    error);
            return m_busy ? Opening::Busy : Opening::Failed;
        } else if (version > kSchemaVersion) {
            query = QSqlQuery();
            db = QSqlDatabase();
            closeDatabase();
            fail(QStringLiteral(
                     "L'historique de progression «\u00a0%1\u00a0» vient d'une version plus récente de "
                     "Tapivox\u00a0; il n'est pas modifié")
                     .arg(QDir::toNativeSeparators(m_path)),
                 {});
            return Opening::Failed;
        } else {
            query.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
            m_open = true;
            if (version == 0 ? !createSchema() : version < kSchemaVersion && !upgrade(version)) {
                query = QSqlQuery();
                db = QSqlDatabase();
                closeDatabase();
                return Opening::Failed;
            }
        }
    }
    if (damaged) {
        closeDatabase();
        return Opening::Damaged;
    }
    return Opening::Ready;
}

bool Journal::createSchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return failSql(QStringLiteral("Impossible de créer l'historique de progression"), db.lastError());
    QSqlQuery query(db);
    QList<const char *> statements(std::begin(kSchema), std::end(kSchema));
    for (const Step &step : kSteps)
        statements.append(QList<const char *>(step.begin, step.end));
    for (const char *statement : std::as_const(statements)) {
        if (!query.exec(QLatin1String(statement))) {
            const QSqlError detail = query.lastError();
            db.rollback();
            return failSql(QStringLiteral("Impossible de créer l'historique de progression"), detail);
        }
    }
    if (!addFirstLearner(query) ||
        !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) || !db.commit()) {
        const QSqlError detail = query.lastError().isValid() ? query.lastError() : db.lastError();
        db.rollback();
        return failSql(QStringLiteral("Impossible de créer l'historique de progression"), detail);
    }
    return true;
}

// An older journal gains the newer tables in place, its sessions kept. A copy
// of the file stays beside it until the upgrade has succeeded.
bool Journal::upgrade(int version)
{
    const QString what =
        QStringLiteral("Impossible de mettre à jour l'historique de progression «\u00a0%1\u00a0»")
            .arg(QDir::toNativeSeparators(m_path));
    const QString copy = m_path + QStringLiteral(".version-%1").arg(version);
    QFile::remove(copy);
    if (!QFile::copy(m_path, copy))
        return fail(what, QStringLiteral("sa copie «\u00a0%1\u00a0» n'a pas pu être faite")
                              .arg(QDir::toNativeSeparators(copy)));
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    bool ok = db.transaction();
    for (int v = version; ok && v < kSchemaVersion; ++v)
        for (const char *const *statement = kSteps[v - 1].begin; ok && statement != kSteps[v - 1].end;
             ++statement)
            ok = query.exec(QLatin1String(*statement));
    ok = ok && (version >= 3 || addFirstLearner(query));
    ok = ok && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    if (!ok || !db.commit()) {
        const QString detail =
            sqlDetail(query.lastError().isValid() ? query.lastError() : db.lastError(), m_path);
        db.rollback();
        return fail(what,
                    detail + QStringLiteral("\u00a0; l'ancien fichier est gardé sous le nom «\u00a0%1\u00a0»")
                                 .arg(QDir::toNativeSeparators(copy)));
    }
    QFile::remove(copy);
    return true;
}

SessionRecord Journal::sessionAt(const QSqlQuery &query, int column)
{
    const auto at = [&](int i) { return query.value(column + i); };
    SessionRecord r;
    r.start = QDateTime::fromMSecsSinceEpoch(at(0).toLongLong());
    r.end = QDateTime::fromMSecsSinceEpoch(at(1).toLongLong());
    r.module = at(2).toInt();
    r.lesson = at(3).toInt();
    r.good = at(4).toInt();
    r.errors = at(5).toInt();
    r.seconds = at(6).toInt();
    r.typingMs = at(7).toLongLong();
    r.title = at(8).toString();
    if (!query.isNull(column + 9))
        r.completed = at(9).toInt() != 0;
    r.uuid = at(10).toString();
    return r;
}

bool Journal::record(const SessionRecord &session)
{
    m_error.clear();
    m_busy = false;
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString what =
        QStringLiteral("Impossible d'enregistrer la séance dans l'historique de progression «\u00a0%1\u00a0»")
            .arg(QDir::toNativeSeparators(m_path));
    const qint64 learner = currentLearner();
    if (learner <= 0)
        return fail(what, m_error);
    if (!db.transaction())
        return failSql(what, db.lastError());
    QSqlQuery query(db);
    bool ok = query.prepare(QStringLiteral(
        "INSERT INTO session (start_ms, end_ms, module, lesson, good, errors, seconds, typing_ms, title,"
        " completed, learner, uuid) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    if (ok) {
        for (const QVariant &v :
             {QVariant(session.start.toMSecsSinceEpoch()), QVariant(session.end.toMSecsSinceEpoch()),
              QVariant(session.module), QVariant(session.lesson), QVariant(session.good),
              QVariant(session.errors), QVariant(session.seconds), QVariant(session.typingMs),
              session.title.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(session.title),
              session.completed ? QVariant(*session.completed ? 1 : 0) : QVariant(QMetaType::fromType<int>()),
              QVariant(learner),
              QVariant(session.uuid.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                                              : session.uuid)})
            query.addBindValue(v);
        ok = query.exec();
    }
    const QVariant id = query.lastInsertId();
    if (ok && !session.keys.isEmpty()) {
        ok = query.prepare(QStringLiteral(
            "INSERT INTO session_key (session, key, typed, missed, ms, timed) VALUES (?, ?, ?, ?, ?, ?)"));
        for (auto it = session.keys.cbegin(); ok && it != session.keys.cend(); ++it) {
            query.addBindValue(id);
            query.addBindValue(it.key());
            query.addBindValue(it.value().typed);
            query.addBindValue(it.value().missed);
            query.addBindValue(it.value().ms);
            query.addBindValue(it.value().timed);
            ok = query.exec();
        }
    }
    if (ok && !session.confusions.isEmpty()) {
        ok = query.prepare(QStringLiteral(
            "INSERT INTO session_confusion (session, expected, pressed, count) VALUES (?, ?, ?, ?)"));
        for (auto it = session.confusions.cbegin(); ok && it != session.confusions.cend(); ++it) {
            query.addBindValue(id);
            query.addBindValue(it.key().first);
            query.addBindValue(it.key().second);
            query.addBindValue(it.value());
            ok = query.exec();
        }
    }
    return commitOrFail(db, query, ok, what);
}

QList<SessionRecord> Journal::sessions(int module, int limit)
{
    QList<SessionRecord> result;
    m_error.clear();
    m_busy = false;
    const qint64 learner = currentLearner();
    if (learner <= 0)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QLatin1String(querySql(module == 0 ? Query::Sessions : Query::FamilySessions)));
    query.addBindValue(learner);
    if (module != 0)
        query.addBindValue(module);
    query.addBindValue(limit);
    if (!query.exec()) {
        failSql(QStringLiteral("Impossible de lire l'historique de progression"), query.lastError());
        return result;
    }
    while (query.next())
        result.append(sessionAt(query, 0));
    std::reverse(result.begin(), result.end());
    return result;
}

QList<KeyStat> Journal::keyStats(int module)
{
    QList<KeyStat> result;
    m_error.clear();
    m_busy = false;
    const qint64 learner = currentLearner();
    if (learner <= 0)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QLatin1String(querySql(module == 0 ? Query::KeyStats : Query::FamilyKeyStats)));
    query.addBindValue(learner);
    if (module != 0)
        query.addBindValue(module);
    if (!query.exec()) {
        failSql(QStringLiteral("Impossible de lire l'historique de progression"), query.lastError());
        return result;
    }
    while (query.next())
        result.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    std::stable_sort(result.begin(), result.end(), [](const KeyStat &a, const KeyStat &b) {
        if (a.missed != b.missed)
            return a.missed > b.missed;
        if (a.errorRate() != b.errorRate())
            return a.errorRate() > b.errorRate();
        return a.key < b.key;
    });
    return result;
}

QList<std::int32_t> Journal::passedExercises()
{
    QList<std::int32_t> result;
    m_error.clear();
    m_busy = false;
    const qint64 learner = currentLearner();
    if (learner <= 0)
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QLatin1String(querySql(Query::PassedExercises)));
    query.addBindValue(learner);
    if (!query.exec()) {
        failSql(QStringLiteral("Impossible de lire l'historique de progression"), query.lastError());
        return result;
    }
    while (query.next())
        result.append(query.value(0).toInt());
    return result;
}

// Runs a query over the last `sessions` sessions; "RECENT" in sql stands
// for their ids. False when the journal cannot be read (already told).
bool Journal::runOverRecent(QSqlQuery &query, const char *sql, int sessions)
{
    const qint64 learner = currentLearner();
    if (learner <= 0)
        return false;
    query = QSqlQuery(QSqlDatabase::database(m_connection, false));
    query.prepare(QString::fromLatin1(sql).replace(
        QLatin1String("RECENT"),
        QLatin1String("SELECT id FROM session WHERE learner = ? ORDER BY start_ms DESC, id DESC LIMIT ?")));
    query.addBindValue(learner);
    query.addBindValue(sessions);
    if (!query.exec()) {
        failSql(QStringLiteral("Impossible de lire l'historique de progression"), query.lastError());
        return false;
    }
    return true;
}

QList<KeyStat> Journal::recentKeyStats(int sessions)
{
    QList<KeyStat> result;
    QSqlQuery query;
    if (!runOverRecent(query,
                       "SELECT key, SUM(typed), SUM(missed), SUM(ms), SUM(timed) FROM session_key"
                       " WHERE session IN (RECENT) GROUP BY key ORDER BY key",
                       sessions))
        return result;
    while (query.next())
        result.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt(),
                       query.value(3).toLongLong(), query.value(4).toInt()});
    return result;
}

QList<Confusion> Journal::confusions(int sessions)
{
    QList<Confusion> result;
    QSqlQuery query;
    if (!runOverRecent(
            query,
            "SELECT expected, pressed, SUM(count) AS n FROM session_confusion"
            " WHERE session IN (RECENT) GROUP BY expected, pressed ORDER BY n DESC, expected, pressed",
            sessions))
        return result;
    while (query.next())
        result.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt()});
    return result;
}

bool Journal::clear()
{
    m_error.clear();
    m_busy = false;
    const qint64 learner = currentLearner();
    if (learner <= 0)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString what = QStringLiteral("Impossible d'effacer l'historique de progression");
    if (!db.transaction())
        return failSql(what, db.lastError());
    QSqlQuery query(db);
    return commitOrFail(db, query, deleteSessionsOf(query, learner), what);
}

} // namespace progress
