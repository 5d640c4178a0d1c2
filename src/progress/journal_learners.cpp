// The learners of the progression journal: several people on one account,
// each with their own sessions.
#include "progress/journal.h"

#include "progress/learnerfile.h"
#include "progress/lessonfamily.h"
#include "progress/objective.h"

#include <QDir>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <pwd.h>
#include <unistd.h>

namespace progress {

namespace {

constexpr int kMaxNameLength = 40;

const QString kReadFailure = QStringLiteral("Impossible de lire l'historique de progression");

// Whether another learner than `except` is called name, whatever the case
// of its letters (Léa and LÉA are one name); false with query's error when
// the journal cannot say.
bool nameTaken(QSqlQuery &query, const QString &name, qint64 except, bool *taken)
{
    *taken = false;
    if (!query.exec(QStringLiteral("SELECT id, name FROM learner")))
        return false;
    while (query.next())
        if (query.value(0).toLongLong() != except &&
            query.value(1).toString().compare(name, Qt::CaseInsensitive) == 0)
            *taken = true;
    return true;
}

} // namespace

QString Journal::accountName()
{
    // The first field of the account's description is its user's full name.
    if (const passwd *entry = getpwuid(getuid())) {
        const QString full =
            QString::fromLocal8Bit(entry->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
        if (learnerNameProblem(full).isEmpty())
            return full;
        const QString login = QString::fromLocal8Bit(entry->pw_name);
        if (learnerNameProblem(login).isEmpty())
            return login;
    }
    return QStringLiteral("Apprenant");
}

QString Journal::learnerNameProblem(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Le nom est vide\u00a0: tapez un prénom ou un pseudonyme");
    if (trimmed.size() > kMaxNameLength)
        return QStringLiteral("Le nom est trop long\u00a0: %1 caractères au plus").arg(kMaxNameLength);
    for (QChar c : trimmed)
        if (!c.isPrint() || c.category() == QChar::Other_Format)
            return QStringLiteral("Le nom contient un caractère invisible ou de contrôle");
    return QString();
}

bool Journal::addFirstLearner(QSqlQuery &query)
{
    if (!query.exec(QStringLiteral("SELECT id FROM learner ORDER BY id LIMIT 1")))
        return false;
    QVariant id;
    if (query.next()) {
        id = query.value(0);
    } else {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (!query.prepare(QStringLiteral(
                "INSERT INTO learner (uuid, name, level, created_ms, used_ms) VALUES (?, ?, ?, ?, ?)")))
            return false;
        query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
        query.addBindValue(accountName());
        query.addBindValue(Learner::kBeginner);
        query.addBindValue(now);
        query.addBindValue(now);
        if (!query.exec())
            return false;
        id = query.lastInsertId();
    }
    if (!query.prepare(QStringLiteral("UPDATE session SET learner = ? WHERE learner IS NULL")))
        return false;
    query.addBindValue(id);
    return query.exec();
}

bool Journal::deleteSessionsOf(QSqlQuery &query, qint64 learner)
{
    for (const char *sql :
         {"DELETE FROM session_key WHERE session IN (SELECT id FROM session WHERE learner = ?)",
          "DELETE FROM session_confusion WHERE session IN"
          " (SELECT id FROM session WHERE learner = ?)",
          "DELETE FROM session WHERE learner = ?"}) {
        if (!query.prepare(QLatin1String(sql)))
            return false;
        query.addBindValue(learner);
        if (!query.exec())
            return false;
    }
    return true;
}

qint64 Journal::currentLearner()
{
    if (!open())
        return 0;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    // The one chosen, while it exists; otherwise the one who learnt last.
    query.prepare(QStringLiteral("SELECT id FROM learner ORDER BY id = ? DESC, used_ms DESC, id LIMIT 1"));
    query.addBindValue(m_learner);
    if (!query.exec()) {
        failSql(kReadFailure, query.lastError());
        return 0;
    }
    if (!query.next()) {
        fail(kReadFailure, QStringLiteral("il ne connaît aucun apprenant"));
        return 0;
    }
    m_learner = query.value(0).toLongLong();
    return m_learner;
}

QList<Learner> Journal::learners()
{
    QList<Learner> result;
    m_error.clear();
    m_busy = false;
    if (!open())
        return result;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    const qint64 weekAgo = QDateTime::currentDateTime().addDays(-7).toMSecsSinceEpoch();
    // An exercise passes when typed to its end at 95 % or more (sessions of
    // older journals, which did not say, on their accuracy alone).
    query.prepare(QLatin1String(querySql(Query::Learners)));
    query.addBindValue(weekAgo);
    if (!query.exec()) {
        failSql(kReadFailure, query.lastError());
        return result;
    }
    while (query.next()) {
        Learner l;
        l.id = query.value(0).toLongLong();
        l.uuid = query.value(1).toString();
        l.name = query.value(2).toString();
        l.level = query.value(3).toInt();
        if (!query.isNull(4))
            l.lastSession = QDateTime::fromMSecsSinceEpoch(query.value(4).toLongLong());
        if (!query.isNull(5))
            l.firstSession = QDateTime::fromMSecsSinceEpoch(query.value(5).toLongLong());
        l.sessions = query.value(6).toInt();
        l.passed = query.value(7).toInt();
        l.weekSeconds = query.value(8).toLongLong() / 1000;
        result.append(l);
    }
    return result;
}

bool Journal::setCurrentLearner(qint64 id)
{
    m_error.clear();
    m_busy = false;
    if (!open())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("UPDATE learner SET used_ms = ? WHERE id = ?"));
    query.addBindValue(QDateTime::currentMSecsSinceEpoch());
    query.addBindValue(id);
    if (!query.exec())
        return failSql(QStringLiteral("Impossible de changer d'apprenant"), query.lastError());
    if (query.numRowsAffected() != 1)
        return fail(QStringLiteral("Impossible de changer d'apprenant"),
                    QStringLiteral("cet apprenant n'existe plus"));
    m_learner = id;
    return true;
}

qint64 Journal::addLearner(const QString &name, int level)
{
    m_error.clear();
    m_busy = false;
    const QString what = QStringLiteral("Impossible d'ajouter l'apprenant");
    if (const QString problem = learnerNameProblem(name); !problem.isEmpty()) {
        fail(what, problem);
        return 0;
    }
    if (!open())
        return 0;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    bool taken = false;
    if (!nameTaken(query, name.trimmed(), 0, &taken)) {
        failSql(what, query.lastError());
        return 0;
    }
    if (taken) {
        fail(what, QStringLiteral("le nom «\u00a0%1\u00a0» est déjà pris").arg(name.trimmed()));
        return 0;
    }
    query.prepare(QStringLiteral(
        "INSERT INTO learner (uuid, name, level, created_ms, used_ms) VALUES (?, ?, ?, ?, 0)"));
    query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
    query.addBindValue(name.trimmed());
    query.addBindValue(level == Learner::kCanType ? Learner::kCanType : Learner::kBeginner);
    query.addBindValue(QDateTime::currentMSecsSinceEpoch());
    if (!query.exec()) {
        failSql(what, query.lastError());
        return 0;
    }
    return query.lastInsertId().toLongLong();
}

bool Journal::renameLearner(qint64 id, const QString &name)
{
    m_error.clear();
    m_busy = false;
    const QString what = QStringLiteral("Impossible de renommer l'apprenant");
    if (const QString problem = learnerNameProblem(name); !problem.isEmpty())
        return fail(what, problem);
    if (!open())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    bool taken = false;
    if (!nameTaken(query, name.trimmed(), id, &taken))
        return failSql(what, query.lastError());
    if (taken)
        return fail(what, QStringLiteral("le nom «\u00a0%1\u00a0» est déjà pris").arg(name.trimmed()));
    query.prepare(QStringLiteral("UPDATE learner SET name = ? WHERE id = ?"));
    query.addBindValue(name.trimmed());
    query.addBindValue(id);
    if (!query.exec())
        return failSql(what, query.lastError());
    return query.numRowsAffected() == 1 || fail(what, QStringLiteral("cet apprenant n'existe plus"));
}

bool Journal::setLearnerLevel(qint64 id, int level)
{
    m_error.clear();
    m_busy = false;
    if (!open())
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("UPDATE learner SET level = ? WHERE id = ?"));
    query.addBindValue(level == Learner::kCanType ? Learner::kCanType : Learner::kBeginner);
    query.addBindValue(id);
    return query.exec() || failSql(QStringLiteral("Impossible de changer le niveau"), query.lastError());
}

bool Journal::removeLearner(qint64 id)
{
    m_error.clear();
    m_busy = false;
    const QString what = QStringLiteral("Impossible de retirer l'apprenant");
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM learner")) || !query.next())
        return failSql(what, query.lastError());
    if (query.value(0).toInt() <= 1)
        return fail(what, QStringLiteral("il faut au moins un apprenant"));
    if (!db.transaction())
        return failSql(what, db.lastError());
    bool ok = deleteSessionsOf(query, id);
    ok = ok && query.prepare(QStringLiteral("DELETE FROM learner WHERE id = ?"));
    if (ok) {
        query.addBindValue(id);
        ok = query.exec();
    }
    if (!commitOrFail(db, query, ok, what))
        return false;
    if (m_learner == id)
        m_learner = 0;
    return true;
}

std::optional<LearnerFile> Journal::exportLearner(qint64 id)
{
    m_error.clear();
    m_busy = false;
    if (!open())
        return std::nullopt;
    LearnerFile file;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT uuid, name, level FROM learner WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next()) {
        failSql(kReadFailure, query.lastError());
        return std::nullopt;
    }
    file.learner.id = id;
    file.learner.uuid = query.value(0).toString();
    file.learner.name = query.value(1).toString();
    file.learner.level = query.value(2).toInt();
    // Each row of a query on the learner's sessions, read by `row`.
    const auto eachRow = [&](const char *sql, const auto &row) {
        query.prepare(QString::fromLatin1(sql));
        query.addBindValue(id);
        if (!query.exec()) {
            failSql(kReadFailure, query.lastError());
            return false;
        }
        while (query.next())
            row();
        return true;
    };
    QHash<qint64, qsizetype> index; // session id: its place in the file
    const auto sessionOfRow = [&]() -> SessionRecord * {
        const auto at = index.constFind(query.value(0).toLongLong());
        return at == index.cend() ? nullptr : &file.sessions[*at];
    };
    const bool read =
        eachRow("SELECT id, start_ms, end_ms, module, lesson, good, errors, seconds, typing_ms,"
                " title, completed, uuid FROM session WHERE learner = ? ORDER BY start_ms, id",
                [&] {
                    index.insert(query.value(0).toLongLong(), file.sessions.size());
                    file.sessions.append(sessionAt(query, 1));
                }) &&
        eachRow("SELECT k.session, k.key, k.typed, k.missed, k.ms, k.timed FROM session_key k"
                " JOIN session s ON s.id = k.session WHERE s.learner = ?",
                [&] {
                    if (SessionRecord *session = sessionOfRow())
                        session->keys.insert(query.value(1).toString(),
                                             {query.value(2).toInt(), query.value(3).toInt(),
                                              query.value(4).toLongLong(), query.value(5).toInt()});
                }) &&
        eachRow("SELECT c.session, c.expected, c.pressed, c.count FROM session_confusion c"
                " JOIN session s ON s.id = c.session WHERE s.learner = ?",
                [&] {
                    if (SessionRecord *session = sessionOfRow())
                        session->confusions.insert({query.value(1).toString(), query.value(2).toString()},
                                                   query.value(3).toInt());
                });
    if (!read)
        return std::nullopt;
    return file;
}

int Journal::importLearner(const LearnerFile &file)
{
    m_error.clear();
    m_busy = false;
    const QString what = QStringLiteral("Impossible d'importer l'apprenant");
    if (!open())
        return -1;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        failSql(what, db.lastError());
        return -1;
    }
    QSqlQuery query(db);
    int added = 0;
    qint64 learner = 0;
    const auto step = [&] {
        query.prepare(QStringLiteral("SELECT id FROM learner WHERE uuid = ?"));
        query.addBindValue(file.learner.uuid);
        if (!query.exec())
            return false;
        if (query.next()) {
            learner = query.value(0).toLongLong();
        } else {
            // A name another learner has already: « Léa (2) ».
            QString name = file.learner.name;
            bool taken = true;
            for (int n = 2; taken; ++n) {
                if (!nameTaken(query, name, 0, &taken))
                    return false;
                if (taken)
                    name = QStringLiteral("%1 (%2)").arg(file.learner.name).arg(n);
            }
            query.prepare(QStringLiteral(
                "INSERT INTO learner (uuid, name, level, created_ms, used_ms) VALUES (?, ?, ?, ?, 0)"));
            query.addBindValue(file.learner.uuid);
            query.addBindValue(name);
            query.addBindValue(file.learner.level);
            query.addBindValue(QDateTime::currentMSecsSinceEpoch());
            if (!query.exec())
                return false;
            learner = query.lastInsertId().toLongLong();
        }
        for (const SessionRecord &s : file.sessions) {
            query.prepare(QStringLiteral(
                "INSERT OR IGNORE INTO session (start_ms, end_ms, module, lesson, good, errors, seconds,"
                " typing_ms, title, completed, learner, uuid) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            for (const QVariant &v :
                 {QVariant(s.start.toMSecsSinceEpoch()), QVariant(s.end.toMSecsSinceEpoch()),
                  QVariant(s.module), QVariant(s.lesson), QVariant(s.good), QVariant(s.errors),
                  QVariant(s.seconds), QVariant(s.typingMs),
                  s.title.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(s.title),
                  s.completed ? QVariant(*s.completed ? 1 : 0) : QVariant(QMetaType::fromType<int>()),
                  QVariant(learner), QVariant(s.uuid)})
                query.addBindValue(v);
            if (!query.exec())
                return false;
            if (query.numRowsAffected() != 1)
                continue; // here already
            ++added;
            const QVariant id = query.lastInsertId();
            for (auto it = s.keys.cbegin(); it != s.keys.cend(); ++it) {
                query.prepare(QStringLiteral(
                    "INSERT INTO session_key (session, key, typed, missed, ms, timed) VALUES (?, ?, ?, ?, ?, ?)"));
                for (const QVariant &v : {id, QVariant(it.key()), QVariant(it->typed), QVariant(it->missed),
                                          QVariant(it->ms), QVariant(it->timed)})
                    query.addBindValue(v);
                if (!query.exec())
                    return false;
            }
            for (auto it = s.confusions.cbegin(); it != s.confusions.cend(); ++it) {
                query.prepare(QStringLiteral(
                    "INSERT INTO session_confusion (session, expected, pressed, count) VALUES (?, ?, ?, ?)"));
                for (const QVariant &v :
                     {id, QVariant(it.key().first), QVariant(it.key().second), QVariant(it.value())})
                    query.addBindValue(v);
                if (!query.exec())
                    return false;
            }
        }
        return true;
    };
    if (!step() || !db.commit()) {
        const QSqlError detail = query.lastError().isValid() ? query.lastError() : db.lastError();
        db.rollback();
        failSql(what, detail);
        return -1;
    }
    return added;
}

} // namespace progress
