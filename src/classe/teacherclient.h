// A teacher's side of the class server: their classes, pupils, the grid of
// results, assignments and hidden lessons. Plain logic on its own database
// connection, logged in with the teacher's own role; the server's row-level
// security decides which classes that role reaches, and every value is bound.
#pragma once
#include "classe/classclient.h"
#include "classe/classwork.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace classe {

struct TeacherClass
{
    qint64 id = 0;
    QString name;
    QString code; // what pupils type to join
    double objectivePrecision = 95;
    int objectiveSpeed = 20; // words a minute
};

// A pupil just created: the only moment their personal code is known.
struct NewPupil
{
    qint64 id = 0;
    QString name;
    QString code;
};

struct PupilEntry
{
    qint64 id = 0;
    QString name;
};

// An exercise as sessions name it: the module's and the lesson's codes.
struct ExerciseKey
{
    QString module;
    QString lesson;
    // Numeric codes in their numeric order, others after them.
    friend bool operator<(const ExerciseKey &a, const ExerciseKey &b);
    friend bool operator==(const ExerciseKey &, const ExerciseKey &) = default;
};

struct GridCell
{
    double bestPrecision = 0; // percent, one decimal, rounded down
    int bestSpeed = 0;        // words a minute, rounded down
    bool met = false;         // one session typed to its end reached the class's objective
};

struct GridRow
{
    qint64 pupilId = 0;
    QString name;
    QDateTime lastSession; // invalid when the pupil has none
    qint64 secondsThisWeek = 0;
    QMap<ExerciseKey, GridCell> cells;
    // Exercises whose last three sessions all stay under the objective.
    QList<ExerciseKey> stuckOn;
};

// A character the class's pupils missed, over all their sessions.
struct MissedCharacter
{
    QString character;
    qint64 typed = 0;
    qint64 missed = 0;
};

struct ClassGrid
{
    TeacherClass klass;
    QList<ExerciseKey> exercises; // every exercise a pupil of the class typed, in order
    QList<GridRow> rows;          // by name
    QList<MissedCharacter> missed; // the most missed first, at most kMostMissed
};

inline constexpr int kMostMissed = 10;

// Names read from a teacher's CSV file, or why it could not be read.
struct NameImport
{
    QStringList names;
    QString error; // French, empty on success
};

class TeacherClient final
{
public:
    // server.user and server.password are the teacher's role and password,
    // kept in memory only.
    explicit TeacherClient(ClassServer server);
    ~TeacherClient();
    Q_DISABLE_COPY_MOVE(TeacherClient)

    const ClassServer &server() const { return m_server; }

    // Connects, checks the schema's version and that the role is a teacher's.
    bool open();
    void close();
    bool isOpen() const;

    QList<TeacherClass> myClasses();
    std::optional<TeacherClass> createClass(const QString &name);
    // All names or none: a refused one leaves the class as it was.
    QList<NewPupil> addPupils(qint64 classId, const QStringList &names);
    QList<PupilEntry> pupils(qint64 classId);
    // The pupil's sessions and assignments go with them.
    bool deletePupil(qint64 pupilId);
    // « Fin d'année »: every pupil of the class and their sessions go; the
    // class, its code, its objective and its hidden lessons stay.
    bool emptyClass(qint64 classId);

    // One pupil's sessions as the server holds them, oldest first, for the
    // Progression window's charts (no per-key figures: the server has none).
    std::optional<QList<progress::SessionRecord>> pupilSessions(qint64 pupilId);

    // The week starts on the Monday of now, at midnight, local time.
    std::optional<ClassGrid> grid(qint64 classId, const QDateTime &now);

    // What the grid marks as met, and what assignments start from.
    bool setObjective(qint64 classId, double precision, int speed);

    QList<Assignment> assignments(qint64 classId);
    std::optional<qint64> addAssignment(qint64 classId, const Assignment &assignment);
    bool deleteAssignment(qint64 assignmentId);

    QList<HiddenLesson> hiddenLessons(qint64 classId);
    bool setHidden(qint64 classId, const HiddenLesson &lesson, bool hidden);

    Failure failure() const { return m_failure; }
    const QString &message() const { return m_message; }
    const QString &detail() const { return m_detail; }

private:
    bool fail(Failure failure, const QString &detail, const QString &message = {});
    bool failStatement(const QSqlError &error);
    bool succeed();
    bool ready();

    ClassServer m_server;
    ServerConnection m_db;
    Failure m_failure = Failure::None;
    QString m_message;
    QString m_detail;
};

// A CSV of names or pseudonyms: UTF-8 with or without a byte-order mark,
// one name a line or in the first column (; or , between columns, fields
// quoted as spreadsheets quote them); blank lines and a heading « Nom » are
// left out.
NameImport namesFromCsv(const QByteArray &bytes);

// How a column names an exercise ("Exercice 4").
using ExerciseLabel = std::function<QString(const ExerciseKey &)>;

// The grid for a spreadsheet: UTF-8 with a byte-order mark, semicolons,
// decimal commas, CRLF, as LibreOffice Calc and French Excel open it.
QByteArray gridCsv(const ClassGrid &grid, const ExerciseLabel &label);
// The grid as printed lines, one block a pupil.
QStringList gridLines(const ClassGrid &grid, const ExerciseLabel &label);
// The cards to hand out, one block a pupil: class, name, class code and
// personal code.
QStringList cardLines(const TeacherClass &klass, const QList<NewPupil> &pupils);

} // namespace classe
