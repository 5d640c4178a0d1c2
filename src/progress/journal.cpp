// The progression journal over Qt Sql's SQLite driver.
#include "progress/journal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>

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

// The file's name of a text of the learner's own goes in a column that
// older journals lack; they keep their sessions without it.
bool hasTitleColumn(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(session)")))
        return false;
    while (query.next())
        if (query.value(1).toString() == QLatin1String("title"))
            return true;
    return false;
}

QString sqlDetail(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("erreur inconnue") : text;
}

} // namespace

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
    m_error = detail.isEmpty() ? what : what + QStringLiteral(" : ") + detail;
    return false;
}

bool Journal::open()
{
    if (m_open)
        return true;
    if (!QSqlDatabase::isDriverAvailable(QLatin1String(kDriver)))
        return fail(QStringLiteral("Le pilote SQLite de Qt est absent (paquet libqt6sql6-sqlite)"), {});
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(
            QStringLiteral("Impossible de créer le dossier « %1 »").arg(QDir::toNativeSeparators(folder)),
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
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            const QString detail = sqlDetail(db.lastError());
            db = QSqlDatabase();
            closeDatabase();
            fail(QStringLiteral("Impossible d'ouvrir l'historique de progression « %1 »")
                     .arg(QDir::toNativeSeparators(m_path)),
                 detail);
            return Opening::Failed;
        }
        QSqlQuery query(db);
        int version = -1;
        if (query.exec(QStringLiteral("PRAGMA quick_check")) && query.next() &&
            query.value(0).toString() == QLatin1String("ok") &&
            query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
            version = query.value(0).toInt();
        if (version < 0) {
            damaged = true;
            fail(QStringLiteral("L'historique de progression « %1 » est illisible")
                     .arg(QDir::toNativeSeparators(m_path)),
                 sqlDetail(query.lastError()));
        } else if (version > kSchemaVersion) {
            query = QSqlQuery();
            db = QSqlDatabase();
            closeDatabase();
            fail(QStringLiteral("L'historique de progression « %1 » vient d'une version plus récente de "
                                "Tapivox ; il n'est pas modifié")
                     .arg(QDir::toNativeSeparators(m_path)),
                 {});
            return Opening::Failed;
        } else {
            query.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
            m_open = true;
            if (version == 0 && !createSchema()) {
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
        return fail(QStringLiteral("Impossible de créer l'historique de progression"),
                    sqlDetail(db.lastError()));
    QSqlQuery query(db);
    for (const char *statement : kSchema) {
        if (!query.exec(QLatin1String(statement))) {
            const QString detail = sqlDetail(query.lastError());
            db.rollback();
            return fail(QStringLiteral("Impossible de créer l'historique de progression"), detail);
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) || !db.commit()) {
        const QString detail = sqlDetail(query.lastError().isValid() ? query.lastError() : db.lastError());
        db.rollback();
        return fail(QStringLiteral("Impossible de créer l'historique de progression"), detail);
    }
    return true;
}

bool Journal::record(const SessionRecord &session)
{
    m_error.clear();
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString what =
        QStringLiteral("Impossible d'enregistrer la séance dans l'historique de progression « %1 »")
            .arg(QDir::toNativeSeparators(m_path));
    if (!db.transaction())
        return fail(what, sqlDetail(db.lastError()));
    const bool titled = hasTitleColumn(db);
    QSqlQuery query(db);
    bool ok = query.prepare(
        titled
            ? QStringLiteral("INSERT INTO session (start_ms, end_ms, module, lesson, good, errors, seconds,"
                             " typing_ms, title) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
            : QStringLiteral("INSERT INTO session (start_ms, end_ms, module, lesson, good, errors, seconds,"
                             " typing_ms) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    if (ok) {
        for (const QVariant &v :
             {QVariant(session.start.toMSecsSinceEpoch()), QVariant(session.end.toMSecsSinceEpoch()),
              QVariant(session.module), QVariant(session.lesson), QVariant(session.good),
              QVariant(session.errors), QVariant(session.seconds), QVariant(session.typingMs)})
            query.addBindValue(v);
        if (titled)
            query.addBindValue(session.title.isEmpty() ? QVariant(QMetaType(QMetaType::QString))
                                                       : QVariant(session.title));
        ok = query.exec();
    }
    const QVariant id = query.lastInsertId();
    if (ok && !session.keys.isEmpty()) {
        ok = query.prepare(
            QStringLiteral("INSERT INTO session_key (session, key, typed, missed) VALUES (?, ?, ?, ?)"));
        for (auto it = session.keys.cbegin(); ok && it != session.keys.cend(); ++it) {
            query.addBindValue(id);
            query.addBindValue(it.key());
            query.addBindValue(it.value().typed);
            query.addBindValue(it.value().missed);
            ok = query.exec();
        }
    }
    if (!ok || !db.commit()) {
        const QString detail = sqlDetail(query.lastError().isValid() ? query.lastError() : db.lastError());
        db.rollback();
        return fail(what, detail);
    }
    return true;
}

QList<SessionRecord> Journal::sessions(int module, int limit)
{
    QList<SessionRecord> result;
    m_error.clear();
    if (!open())
        return result;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const bool titled = hasTitleColumn(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT start_ms, end_ms, module, lesson, good, errors, seconds, typing_ms%1"
                                 " FROM session WHERE (? = 0 OR module = ?) ORDER BY start_ms DESC, id DESC"
                                 " LIMIT ?")
                      .arg(titled ? QStringLiteral(", title") : QString()));
    query.addBindValue(module);
    query.addBindValue(module);
    query.addBindValue(limit);
    if (!query.exec()) {
        fail(QStringLiteral("Impossible de lire l'historique de progression"), sqlDetail(query.lastError()));
        return result;
    }
    while (query.next()) {
        SessionRecord r;
        r.start = QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong());
        r.end = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong());
        r.module = query.value(2).toInt();
        r.lesson = query.value(3).toInt();
        r.good = query.value(4).toInt();
        r.errors = query.value(5).toInt();
        r.seconds = query.value(6).toInt();
        r.typingMs = query.value(7).toLongLong();
        if (titled)
            r.title = query.value(8).toString();
        result.append(r);
    }
    std::reverse(result.begin(), result.end());
    return result;
}

QList<KeyStat> Journal::keyStats(int module)
{
    QList<KeyStat> result;
    if (!open())
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT k.key, SUM(k.typed), SUM(k.missed) FROM session_key k"
                                 " JOIN session s ON s.id = k.session WHERE (? = 0 OR s.module = ?)"
                                 " GROUP BY k.key"));
    query.addBindValue(module);
    query.addBindValue(module);
    if (!query.exec()) {
        fail(QStringLiteral("Impossible de lire l'historique de progression"), sqlDetail(query.lastError()));
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

bool Journal::clear()
{
    m_error.clear();
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString what = QStringLiteral("Impossible d'effacer l'historique de progression");
    if (!db.transaction())
        return fail(what, sqlDetail(db.lastError()));
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("DELETE FROM session_key")) ||
        !query.exec(QStringLiteral("DELETE FROM session")) || !db.commit()) {
        const QString detail = sqlDetail(query.lastError().isValid() ? query.lastError() : db.lastError());
        db.rollback();
        return fail(what, detail);
    }
    return true;
}

} // namespace progress
