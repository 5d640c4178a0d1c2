// The progression journal: finished sessions kept in an SQLite file in the
// user's data folder. The file is opened on first use, never at start-up;
// a file that cannot be read as a journal is moved aside, never erased.
#pragma once
#include "progress/sessiontally.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

namespace progress {

struct LearnerFile;

// A character's totals over many sessions.
struct KeyStat
{
    QString key;
    std::int32_t typed = 0;
    std::int32_t missed = 0;
    qint64 ms = 0;          // time to type it right, summed
    std::int32_t timed = 0; // right keys whose time is in ms
    double errorRate() const { return typed + missed > 0 ? double(missed) / (double(typed) + missed) : 0; }
    double meanMs() const { return timed > 0 ? double(ms) / timed : 0; }
};

// Someone who learns on this computer: a first name or a pseudonym, and
// whether they begin or can already type. The figures are read with the list.
struct Learner
{
    qint64 id = 0;
    QString uuid;
    QString name;
    int level = 0;             // kBeginner or kCanType
    QDateTime lastSession;     // invalid without any
    QDateTime firstSession;    // invalid without any
    std::int32_t sessions = 0; // kept in the journal
    std::int32_t passed = 0;   // exercises typed to their end at the objective
    qint64 weekSeconds = 0;    // spent typing in the last seven days
    static constexpr int kBeginner = 0;
    static constexpr int kCanType = 1;
};

// An expected character and the one pressed instead, and how often.
struct Confusion
{
    QString expected;
    QString pressed;
    std::int32_t count = 0;
};

class Journal final
{
public:
    static constexpr int kSchemaVersion = 6;

    // path: the SQLite file; its folder is created when first needed.
    explicit Journal(QString path);
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    // ~/.local/share/Tapivox/progression.sqlite, or wherever the platform
    // keeps the application's data.
    static QString defaultPath();
    const QString &path() const { return m_path; }

    // Writes one session in one transaction; false with lastError() set.
    bool record(const SessionRecord &session);
    // Sessions of one module (0: all), oldest first; limit < 0: all.
    QList<SessionRecord> sessions(int module = 0, int limit = -1);
    // The exercises typed to their end at the objective, by code.
    QList<std::int32_t> passedExercises();
    // Totals per character, most missed first (by count, then by rate).
    QList<KeyStat> keyStats(int module = 0);
    // Totals per character over the latest sessions of every lesson, with
    // the time taken by the right keys.
    QList<KeyStat> recentKeyStats(int sessions);
    // Characters pressed for others over the latest sessions, most frequent
    // first.
    QList<Confusion> confusions(int sessions);
    // Erases every session of the learner.
    bool clear();

    // The learners, the one who learnt last first. A journal opened for the
    // first time (or upgraded) has one, named after the account.
    QList<Learner> learners();
    // The learner whose sessions are written and read: the one chosen, or
    // the one who learnt last; 0 when the journal cannot be read.
    qint64 currentLearner();
    // Chooses the learner (marked as the last to learn); false for none.
    bool setCurrentLearner(qint64 id);
    // A new learner's id, or 0 with lastError() set (a name already taken,
    // or one Tapivox refuses: see learnerNameProblem).
    qint64 addLearner(const QString &name, int level);
    bool renameLearner(qint64 id, const QString &name);
    bool setLearnerLevel(qint64 id, int level);
    // Erases a learner and their sessions; the last learner stays.
    bool removeLearner(qint64 id);
    // A learner's whole history, to write to a file; nothing with
    // lastError() set when the journal cannot be read.
    std::optional<LearnerFile> exportLearner(qint64 id);
    // Adds the learner of a file (known by its id, or new; a name already
    // taken by another gets a number) and those of its sessions that are
    // not here yet, in one transaction. The sessions added, or -1 with
    // lastError() set and the journal unchanged.
    int importLearner(const LearnerFile &file);
    // The learner's sessions a class link has not had yet: those finished
    // since it was made and not confirmed by its server, oldest first
    // (journal_classe.cpp); limit < 0: all. -1 from waitingCount when the
    // journal cannot be read.
    QList<SessionRecord> waitingForClass(qint64 learner, const QString &link, const QDateTime &since,
                                         int limit = -1);
    int waitingCount(qint64 learner, const QString &link, const QDateTime &since);
    // The server holds these sessions (or can never take them).
    bool markSentToClass(qint64 learner, const QString &link, const QStringList &uuids);

    // Why a name cannot be a learner's (in French), or empty when it can.
    static QString learnerNameProblem(const QString &name);
    // The account's full name, or its login.
    static QString accountName();

    // The reading queries whose plans must stay on the journal's indexes
    // however long the history (their text, for EXPLAIN QUERY PLAN).
    enum class Query { Sessions, FamilySessions, KeyStats, FamilyKeyStats, PassedExercises, Learners };
    static const char *querySql(Query query);

    // The last failure, in French, for the learner.
    const QString &lastError() const { return m_error; }
    // The last failure came from another program holding the file; the next
    // use tries again.
    bool busy() const { return m_busy; }
    // The file that held a damaged journal, moved aside at the last opening
    // (empty when none was).
    const QString &setAside() const { return m_setAside; }

private:
    enum class Opening { Ready, Failed, Busy, Damaged };
    bool open();
    Opening openFile();
    bool createSchema();
    bool upgrade(int version);
    void closeDatabase();
    bool fail(const QString &what, const QString &detail);
    bool failSql(const QString &what, const QSqlError &error);
    // Commits a transaction whose statements went well (ok); otherwise, or
    // when the commit fails, rolls it back and says why.
    bool commitOrFail(QSqlDatabase &db, const QSqlQuery &query, bool ok, const QString &what);
    bool runOverRecent(QSqlQuery &query, const char *sql, int sessions);
    // A session from columns start_ms, end_ms, module, lesson, good, errors,
    // seconds, typing_ms, title, completed and uuid, from column on.
    static SessionRecord sessionAt(const QSqlQuery &query, int column);
    // Within an opened transaction.
    bool addFirstLearner(QSqlQuery &query);
    bool deleteSessionsOf(QSqlQuery &query, qint64 learner);

    QString m_path;
    QString m_connection;
    QString m_error;
    QString m_setAside;
    bool m_open = false;
    qint64 m_learner = 0; // 0: not chosen yet
    bool m_busy = false;
};

} // namespace progress
