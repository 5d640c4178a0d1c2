// The journal as the class link's outbox: a session waits until the class
// server has said it holds it.
#include "progress/journal.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace progress {

namespace {

const QString kReadFailure = QStringLiteral("Impossible de lire l'historique de progression");

// Sessions of the learner, finished since the link's join, that the link's
// server has not confirmed.
constexpr auto kWaiting = " FROM session s WHERE s.learner = ? AND s.end_ms >= ? AND NOT EXISTS"
                          " (SELECT 1 FROM class_sent c WHERE c.learner = s.learner AND c.link = ?"
                          " AND c.uuid = s.uuid)";

} // namespace

QList<SessionRecord> Journal::waitingForClass(qint64 learner, const QString &link, const QDateTime &since,
                                              int limit)
{
    QList<SessionRecord> result;
    m_error.clear();
    m_busy = false;
    if (!open())
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(
        QStringLiteral("SELECT s.start_ms, s.end_ms, s.module, s.lesson, s.good, s.errors, s.seconds,"
                       " s.typing_ms, s.title, s.completed, s.uuid") +
        QLatin1String(kWaiting) + QStringLiteral(" ORDER BY s.start_ms, s.id LIMIT ?"));
    query.addBindValue(learner);
    query.addBindValue(since.toMSecsSinceEpoch());
    query.addBindValue(link);
    query.addBindValue(limit);
    if (!query.exec()) {
        failSql(kReadFailure, query.lastError());
        return result;
    }
    while (query.next())
        result.append(sessionAt(query, 0));
    return result;
}

int Journal::waitingCount(qint64 learner, const QString &link, const QDateTime &since)
{
    m_error.clear();
    m_busy = false;
    if (!open())
        return -1;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT count(*)") + QLatin1String(kWaiting));
    query.addBindValue(learner);
    query.addBindValue(since.toMSecsSinceEpoch());
    query.addBindValue(link);
    if (!query.exec() || !query.next()) {
        failSql(kReadFailure, query.lastError());
        return -1;
    }
    return query.value(0).toInt();
}

bool Journal::markSentToClass(qint64 learner, const QString &link, const QStringList &uuids)
{
    m_error.clear();
    m_busy = false;
    if (uuids.isEmpty())
        return true;
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString what = QStringLiteral("Impossible de noter les séances envoyées à la classe");
    if (!db.transaction())
        return failSql(what, db.lastError());
    QSqlQuery query(db);
    // A learner removed meanwhile takes their record with them.
    bool ok = query.prepare(QStringLiteral("INSERT OR IGNORE INTO class_sent (learner, link, uuid)"
                                           " SELECT id, ?, ? FROM learner WHERE id = ?"));
    for (const QString &uuid : uuids) {
        if (!ok)
            break;
        query.addBindValue(link);
        query.addBindValue(uuid);
        query.addBindValue(learner);
        ok = query.exec();
    }
    return commitOrFail(db, query, ok, what);
}

} // namespace progress
