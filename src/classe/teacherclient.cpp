// The teacher's side of the class server, and the grid's exports.
#include "classe/teacherclient.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QVariant>

#include <cmath>

namespace classe {

namespace {

// One session's figures, as the program's statistics count them: speed by
// the chronometer when it ran, else by the typing time; five keystrokes a
// word; precision and speed rounded down, so that a figure shown at the
// objective has reached it.
constexpr auto kPrecision = "floor(1000.0 * s.good / nullif(s.good + s.errors, 0)) / 10";
constexpr auto kSpeed = "floor(CASE WHEN s.seconds > 0 THEN s.good * 12.0 / s.seconds"
                        " WHEN s.typing_ms >= 1000 THEN s.good * 12000.0 / s.typing_ms END)";
QString metExpression()
{
    return QStringLiteral("(s.completed AND %1 >= c.objective_precision AND %2 >= c.objective_speed)")
        .arg(QLatin1String(kPrecision), QLatin1String(kSpeed));
}

QVariant nullableId(qint64 id)
{
    return id > 0 ? QVariant(id) : QVariant(QMetaType(QMetaType::LongLong));
}

QString frenchDecimal(double value)
{
    return QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The first field of a CSV line, unquoted.
QString firstField(const QString &line)
{
    const QString text = line.trimmed();
    if (text.startsWith(QLatin1Char('"'))) {
        QString field;
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    ++i;
                    continue;
                }
                break;
            }
            field += text[i];
        }
        return field.simplified();
    }
    // A semicolon is the separator when there is one: "Martin, Léa" stays whole.
    const QChar separator = text.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    return text.section(separator, 0, 0).simplified();
}

QString lastSessionText(const QDateTime &when)
{
    return when.isValid() ? when.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString();
}

QString minutesText(qint64 seconds)
{
    return QString::number((seconds + 30) / 60);
}

} // namespace

bool operator<(const ExerciseKey &a, const ExerciseKey &b)
{
    // Numbers by value, then other codes by their text.
    const auto order = [](const QString &code) {
        bool number = false;
        const int value = code.toInt(&number);
        return std::tuple(number ? 0 : 1, number ? value : 0, number ? QString() : code);
    };
    return std::pair(order(a.module), order(a.lesson)) < std::pair(order(b.module), order(b.lesson));
}

TeacherClient::TeacherClient(ClassServer server)
    : m_server(std::move(server))
    , m_db(QStringLiteral("classe-enseignant"))
{}

TeacherClient::~TeacherClient() = default;

bool TeacherClient::isOpen() const
{
    return m_db.isOpen();
}

void TeacherClient::close()
{
    m_db.close();
}

bool TeacherClient::fail(Failure failure, const QString &detail, const QString &message)
{
    m_failure = failure;
    m_message = message.isEmpty() ? failureMessage(failure, m_server) : message;
    m_detail = detail;
    return false;
}

bool TeacherClient::succeed()
{
    m_failure = Failure::None;
    m_message.clear();
    m_detail.clear();
    return true;
}

bool TeacherClient::failStatement(const QSqlError &error)
{
    const Failure failure = statementFailureOf(error);
    if (failure == Failure::ConnectionLost)
        close();
    const QString state = error.nativeErrorCode();
    if (failure == Failure::Refused)
        return fail(failure, error.text(),
                    QStringLiteral("Le serveur refuse\u00a0: cette classe n'est pas l'une des vôtres"));
    if (state == QLatin1String("23514") || state == QLatin1String("22001"))
        return fail(Failure::Server, error.text(),
                    QStringLiteral("Le serveur refuse cette valeur\u00a0: un nom a de 1 à 80 caractères, "
                                   "une précision de 0 à 100\u00a0%"));
    return fail(failure, error.text());
}

bool TeacherClient::open()
{
    if (isOpen())
        return succeed();
    QString detail;
    if (const Failure failure = m_db.open(m_server, detail); failure != Failure::None)
        return fail(failure, detail);
    QSqlError error;
    int version = -1;
    bool teacher = false;
    {
        QSqlQuery query(m_db.database());
        if (!query.exec(QStringLiteral("SELECT version, pg_has_role(session_user, 'tapivox_enseignants', "
                                       "'MEMBER') FROM classe.schema_version")))
            error = statementError(query);
        else if (query.next())
            version = query.value(0).toInt(), teacher = query.value(1).toBool();
    }
    if (error.isValid()) {
        failStatement(error);
        close();
        return false;
    }
    if (version < 0 || version != kSchemaVersion) {
        close();
        m_failure = version < 0 ? Failure::NoSchema : Failure::SchemaVersion;
        m_message = failureMessage(m_failure, m_server, version);
        return false;
    }
    if (!teacher) {
        close();
        return fail(Failure::Refused, {},
                    QStringLiteral("Le rôle «\u00a0%1\u00a0» n'est pas celui d'un enseignant\u00a0: "
                                   "l'administrateur l'ajoute au groupe tapivox_enseignants")
                        .arg(m_server.user.trimmed()));
    }
    return succeed();
}

bool TeacherClient::ready()
{
    // A connection dropped while the window sat idle is opened again.
    if (isOpen()) {
        QSqlQuery ping(m_db.database());
        if (ping.exec(QStringLiteral("SELECT 1")))
            return true;
        close();
    }
    return open();
}

namespace {

// Runs one statement with its values bound; the error when it failed.
QSqlError runBound(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    if (!query.prepare(sql))
        return statementError(query);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return statementError(query);
    return {};
}

} // namespace

QList<TeacherClass> TeacherClient::myClasses()
{
    QList<TeacherClass> classes;
    if (!ready())
        return classes;
    QSqlQuery query(m_db.database());
    const QSqlError error = runBound(
        query,
        QStringLiteral("SELECT id, name, code, objective_precision, objective_speed FROM classe.classes"
                       " ORDER BY name, id"),
        {});
    if (error.isValid()) {
        failStatement(error);
        return {};
    }
    while (query.next())
        classes << TeacherClass{query.value(0).toLongLong(), query.value(1).toString(),
                                query.value(2).toString(), query.value(3).toDouble(), query.value(4).toInt()};
    succeed();
    return classes;
}

std::optional<TeacherClass> TeacherClient::createClass(const QString &name)
{
    if (!ready())
        return std::nullopt;
    QSqlQuery query(m_db.database());
    const QSqlError error =
        runBound(query,
                 QStringLiteral("SELECT id, name, code, objective_precision, objective_speed"
                                " FROM classe.create_class(?)"),
                 {name.simplified()});
    if (error.isValid() || !query.next()) {
        failStatement(error);
        return std::nullopt;
    }
    succeed();
    return TeacherClass{query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                        query.value(3).toDouble(), query.value(4).toInt()};
}

QList<NewPupil> TeacherClient::addPupils(qint64 classId, const QStringList &names)
{
    if (!ready())
        return {};
    QSqlDatabase db = m_db.database();
    if (!db.transaction()) {
        failStatement(db.lastError());
        return {};
    }
    QList<NewPupil> added;
    QSqlError error;
    // The statement is freed after the rollback: an aborted transaction
    // takes no other command.
    QSqlQuery query(db);
    for (const QString &typed : names) {
        const QString name = typed.simplified();
        if (name.isEmpty())
            continue;
        error = runBound(query, QStringLiteral("SELECT pupil_id, code FROM classe.add_pupil(?, ?)"),
                         {classId, name});
        if (error.isValid() || !query.next())
            break;
        added << NewPupil{query.value(0).toLongLong(), name, query.value(1).toString()};
        query.finish();
    }
    if (error.isValid() || !db.commit()) {
        if (!error.isValid())
            error = db.lastError();
        db.rollback();
        failStatement(error);
        return {};
    }
    succeed();
    return added;
}

QList<PupilEntry> TeacherClient::pupils(qint64 classId)
{
    if (!ready())
        return {};
    QSqlQuery query(m_db.database());
    const QSqlError error = runBound(
        query, QStringLiteral("SELECT id, name FROM classe.pupils WHERE class_id = ? ORDER BY name, id"),
        {classId});
    if (error.isValid()) {
        failStatement(error);
        return {};
    }
    QList<PupilEntry> list;
    while (query.next())
        list << PupilEntry{query.value(0).toLongLong(), query.value(1).toString()};
    succeed();
    return list;
}

bool TeacherClient::deletePupil(qint64 pupilId)
{
    if (!ready())
        return false;
    QSqlQuery query(m_db.database());
    const QSqlError error =
        runBound(query, QStringLiteral("DELETE FROM classe.pupils WHERE id = ? RETURNING id"), {pupilId});
    if (error.isValid())
        return failStatement(error);
    // Another teacher's pupil is not there for this role: nothing deleted.
    if (!query.next())
        return fail(Failure::Refused, {},
                    QStringLiteral("Cet élève n'est plus dans vos classes\u00a0: rien n'a été supprimé"));
    return succeed();
}

bool TeacherClient::emptyClass(qint64 classId)
{
    if (!ready())
        return false;
    QSqlQuery query(m_db.database());
    QSqlError error = runBound(query, QStringLiteral("SELECT 1 FROM classe.classes WHERE id = ?"), {classId});
    if (error.isValid())
        return failStatement(error);
    if (!query.next())
        return fail(Failure::Refused, {},
                    QStringLiteral("Le serveur refuse\u00a0: cette classe n'est pas l'une des vôtres"));
    error = runBound(query, QStringLiteral("DELETE FROM classe.pupils WHERE class_id = ?"), {classId});
    if (error.isValid())
        return failStatement(error);
    return succeed();
}

std::optional<QList<progress::SessionRecord>> TeacherClient::pupilSessions(qint64 pupilId)
{
    if (!ready())
        return std::nullopt;
    QSqlQuery query(m_db.database());
    query.setForwardOnly(true);
    const QSqlError error = runBound(
        query,
        QStringLiteral("SELECT uuid::text, module, lesson, good, errors, seconds, typing_ms, started, ended,"
                       " completed FROM classe.sessions WHERE pupil_id = ? ORDER BY started, uuid"),
        {pupilId});
    if (error.isValid()) {
        failStatement(error);
        return std::nullopt;
    }
    QList<progress::SessionRecord> sessions;
    while (query.next()) {
        progress::SessionRecord s;
        s.uuid = query.value(0).toString();
        s.module = query.value(1).toInt();
        s.lesson = query.value(2).toInt();
        s.good = query.value(3).toInt();
        s.errors = query.value(4).toInt();
        s.seconds = query.value(5).toInt();
        s.typingMs = query.value(6).toLongLong();
        s.start = query.value(7).toDateTime().toLocalTime();
        s.end = query.value(8).toDateTime().toLocalTime();
        s.completed = query.value(9).toBool();
        sessions << s;
    }
    succeed();
    return sessions;
}

std::optional<ClassGrid> TeacherClient::grid(qint64 classId, const QDateTime &now)
{
    if (!ready())
        return std::nullopt;
    ClassGrid grid;
    QSqlQuery query(m_db.database());
    QSqlError error = runBound(
        query,
        QStringLiteral(
            "SELECT id, name, code, objective_precision, objective_speed FROM classe.classes WHERE id = ?"),
        {classId});
    if (error.isValid()) {
        failStatement(error);
        return std::nullopt;
    }
    if (!query.next()) {
        fail(Failure::Refused, {},
             QStringLiteral("Le serveur refuse\u00a0: cette classe n'est pas l'une des vôtres"));
        return std::nullopt;
    }
    grid.klass = {query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                  query.value(3).toDouble(), query.value(4).toInt()};
    const QDate today = now.toLocalTime().date();
    const QDateTime weekStart(today.addDays(1 - today.dayOfWeek()), QTime(0, 0));
    error = runBound(
        query,
        QStringLiteral(
            "SELECT p.id, p.name, s.module, s.lesson, max(%1), max(%2), coalesce(bool_or(%3), false),"
            " max(s.ended), coalesce(sum(CASE WHEN s.ended >= ? THEN CASE WHEN s.seconds > 0"
            " THEN s.seconds ELSE s.typing_ms / 1000 END END), 0)"
            " FROM classe.pupils p JOIN classe.classes c ON c.id = p.class_id"
            " LEFT JOIN classe.sessions s ON s.pupil_id = p.id WHERE p.class_id = ?"
            " GROUP BY p.id, p.name, s.module, s.lesson ORDER BY p.name, p.id")
            .arg(QLatin1String(kPrecision), QLatin1String(kSpeed), metExpression()),
        {weekStart.toUTC(), classId});
    if (error.isValid()) {
        failStatement(error);
        return std::nullopt;
    }
    QMap<qint64, qsizetype> rowOf;
    QMap<ExerciseKey, bool> exercises;
    while (query.next()) {
        const qint64 pupil = query.value(0).toLongLong();
        if (!rowOf.contains(pupil)) {
            rowOf.insert(pupil, grid.rows.size());
            grid.rows << GridRow{pupil, query.value(1).toString(), {}, 0, {}, {}};
        }
        GridRow &row = grid.rows[rowOf.value(pupil)];
        if (query.isNull(2))
            continue; // a pupil without a session yet
        const ExerciseKey key{query.value(2).toString(), query.value(3).toString()};
        exercises.insert(key, true);
        row.cells.insert(
            key, GridCell{query.value(4).toDouble(), query.value(5).toInt(), query.value(6).toBool()});
        const QDateTime last = query.value(7).toDateTime();
        if (last.isValid() && (!row.lastSession.isValid() || last > row.lastSession))
            row.lastSession = last;
        row.secondsThisWeek += query.value(8).toLongLong();
    }
    grid.exercises = exercises.keys();
    // « Qui bloque »: the last three sessions of one exercise, none at the
    // objective.
    error =
        runBound(query,
                 QStringLiteral("SELECT pupil_id, module, lesson FROM (SELECT s.pupil_id, s.module, s.lesson,"
                                " coalesce(%1, false) AS met, row_number() OVER (PARTITION BY s.pupil_id,"
                                " s.module, s.lesson ORDER BY s.ended DESC, s.uuid) AS n"
                                " FROM classe.sessions s JOIN classe.pupils p ON p.id = s.pupil_id"
                                " JOIN classe.classes c ON c.id = p.class_id WHERE p.class_id = ?) r"
                                " WHERE n <= 3 GROUP BY pupil_id, module, lesson"
                                " HAVING count(*) = 3 AND NOT bool_or(met)")
                     .arg(metExpression()),
                 {classId});
    if (error.isValid()) {
        failStatement(error);
        return std::nullopt;
    }
    while (query.next()) {
        const auto row = rowOf.constFind(query.value(0).toLongLong());
        if (row != rowOf.constEnd())
            grid.rows[*row].stuckOn << ExerciseKey{query.value(1).toString(), query.value(2).toString()};
    }
    for (GridRow &row : grid.rows)
        std::sort(row.stuckOn.begin(), row.stuckOn.end());
    error = runBound(query,
                     QStringLiteral("SELECT m.character, sum(m.typed), sum(m.missed) FROM classe.session_misses m"
                                    " JOIN classe.pupils p ON p.id = m.pupil_id WHERE p.class_id = ?"
                                    " GROUP BY m.character ORDER BY sum(m.missed) DESC, m.character LIMIT ?"),
                     {classId, kMostMissed});
    if (error.isValid()) {
        failStatement(error);
        return std::nullopt;
    }
    while (query.next())
        grid.missed << MissedCharacter{query.value(0).toString(), query.value(1).toLongLong(),
                                       query.value(2).toLongLong()};
    succeed();
    return grid;
}

bool TeacherClient::setObjective(qint64 classId, double precision, int speed)
{
    if (!ready())
        return false;
    QSqlQuery query(m_db.database());
    const QSqlError error = runBound(query,
                                     QStringLiteral("UPDATE classe.classes SET objective_precision = ?,"
                                                    " objective_speed = ? WHERE id = ? RETURNING id"),
                                     {precision, speed, classId});
    if (error.isValid())
        return failStatement(error);
    if (!query.next())
        return fail(Failure::Refused, {},
                    QStringLiteral("Le serveur refuse\u00a0: cette classe n'est pas l'une des vôtres"));
    return succeed();
}

QList<Assignment> TeacherClient::assignments(qint64 classId)
{
    if (!ready())
        return {};
    QSqlQuery query(m_db.database());
    const QSqlError error =
        runBound(query,
                 QStringLiteral("SELECT id, pupil_id, module, first_lesson, last_lesson,"
                                " objective_precision, objective_speed, due"
                                " FROM classe.assignments WHERE class_id = ? ORDER BY due, id"),
                 {classId});
    if (error.isValid()) {
        failStatement(error);
        return {};
    }
    QList<Assignment> list;
    while (query.next())
        list << Assignment{query.value(0).toLongLong(), query.value(1).toLongLong(),
                           query.value(2).toString(),   query.value(3).toString(),
                           query.value(4).toString(),   query.value(5).toDouble(),
                           query.value(6).toInt(),      query.value(7).toDate()};
    succeed();
    return list;
}

std::optional<qint64> TeacherClient::addAssignment(qint64 classId, const Assignment &a)
{
    if (!ready())
        return std::nullopt;
    QSqlQuery query(m_db.database());
    const QSqlError error = runBound(
        query,
        QStringLiteral(
            "INSERT INTO classe.assignments (class_id, pupil_id, module, first_lesson, last_lesson,"
            " objective_precision, objective_speed, due) VALUES (?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
        {classId, nullableId(a.pupilId), a.module, a.firstLesson, a.lastLesson, a.precision, a.speed,
         a.due.isValid() ? QVariant(a.due) : QVariant(QMetaType(QMetaType::QDate))});
    if (error.isValid() || !query.next()) {
        failStatement(error);
        return std::nullopt;
    }
    succeed();
    return query.value(0).toLongLong();
}

bool TeacherClient::deleteAssignment(qint64 assignmentId)
{
    if (!ready())
        return false;
    QSqlQuery query(m_db.database());
    const QSqlError error = runBound(
        query, QStringLiteral("DELETE FROM classe.assignments WHERE id = ? RETURNING id"), {assignmentId});
    if (error.isValid())
        return failStatement(error);
    if (!query.next())
        return fail(
            Failure::Refused, {},
            QStringLiteral("Cette consigne n'est plus dans vos classes\u00a0: rien n'a été supprimé"));
    return succeed();
}

QList<HiddenLesson> TeacherClient::hiddenLessons(qint64 classId)
{
    if (!ready())
        return {};
    QSqlQuery query(m_db.database());
    const QSqlError error =
        runBound(query, QStringLiteral("SELECT module, lesson FROM classe.hidden_lessons WHERE class_id = ?"),
                 {classId});
    if (error.isValid()) {
        failStatement(error);
        return {};
    }
    QList<HiddenLesson> list;
    while (query.next())
        list << HiddenLesson{query.value(0).toString(), query.value(1).toString()};
    std::sort(list.begin(), list.end(), [](const HiddenLesson &a, const HiddenLesson &b) {
        return ExerciseKey{a.module, a.lesson} < ExerciseKey{b.module, b.lesson};
    });
    succeed();
    return list;
}

bool TeacherClient::setHidden(qint64 classId, const HiddenLesson &lesson, bool hidden)
{
    if (!ready())
        return false;
    QSqlQuery query(m_db.database());
    const QSqlError error =
        hidden ? runBound(query,
                          QStringLiteral("INSERT INTO classe.hidden_lessons (class_id, module, lesson)"
                                         " VALUES (?, ?, ?) ON CONFLICT DO NOTHING"),
                          {classId, lesson.module, lesson.lesson})
               : runBound(query,
                          QStringLiteral("DELETE FROM classe.hidden_lessons WHERE class_id = ? AND module = ?"
                                         " AND lesson = ?"),
                          {classId, lesson.module, lesson.lesson});
    if (error.isValid())
        return failStatement(error);
    return succeed();
}

NameImport namesFromCsv(const QByteArray &bytes)
{
    NameImport import;
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    const QString text = decode(body);
    if (decode.hasError()) {
        import.error =
            QStringLiteral("Ce fichier n'est pas en UTF-8\u00a0: enregistrez-le en «\u00a0CSV UTF-8\u00a0» "
                           "depuis le tableur, puis importez-le de nouveau");
        return import;
    }
    bool first = true;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString name = firstField(line);
        if (name.isEmpty())
            continue;
        const bool heading = first && (name.compare(QLatin1String("nom"), Qt::CaseInsensitive) == 0 ||
                                       name.compare(QLatin1String("pseudonyme"), Qt::CaseInsensitive) == 0 ||
                                       name.compare(QStringLiteral("élève"), Qt::CaseInsensitive) == 0);
        first = false;
        if (heading)
            continue;
        if (name.size() > 80) {
            import.error =
                QStringLiteral("Le nom «\u00a0%1…\u00a0» dépasse 80 caractères\u00a0: raccourcissez-le "
                               "dans le fichier")
                    .arg(name.left(20));
            import.names.clear();
            return import;
        }
        import.names << name;
    }
    if (import.names.isEmpty())
        import.error = QStringLiteral("Ce fichier ne contient aucun nom");
    return import;
}

QByteArray gridCsv(const ClassGrid &grid, const ExerciseLabel &label)
{
    QStringList heading{QStringLiteral("Élève")};
    for (const ExerciseKey &key : grid.exercises)
        heading << label(key) + QStringLiteral(" précision (%)")
                << label(key) + QStringLiteral(" vitesse (mots/min)")
                << label(key) + QStringLiteral(" objectif");
    heading << QStringLiteral("Dernière séance") << QStringLiteral("Cette semaine (min)")
            << QStringLiteral("Bloque sur");
    QStringList lines{heading.join(QLatin1Char(';'))};
    for (const GridRow &row : grid.rows) {
        QStringList fields{csvField(row.name)};
        for (const ExerciseKey &key : grid.exercises) {
            const auto cell = row.cells.constFind(key);
            if (cell == row.cells.constEnd()) {
                fields << QString() << QString() << QString();
                continue;
            }
            fields << frenchDecimal(cell->bestPrecision) << QString::number(cell->bestSpeed)
                   << (cell->met ? QStringLiteral("atteint") : QString());
        }
        QStringList stuck;
        for (const ExerciseKey &key : row.stuckOn)
            stuck << label(key);
        fields << lastSessionText(row.lastSession) << minutesText(row.secondsThisWeek)
               << csvField(stuck.join(QStringLiteral(", ")));
        lines << fields.join(QLatin1Char(';'));
    }
    return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

QStringList gridLines(const ClassGrid &grid, const ExerciseLabel &label)
{
    QStringList lines{QStringLiteral("Classe %1 — objectif\u00a0: %2\u00a0% et %3\u00a0mots/min")
                          .arg(grid.klass.name, frenchDecimal(grid.klass.objectivePrecision))
                          .arg(grid.klass.objectiveSpeed),
                      QString()};
    for (const GridRow &row : grid.rows) {
        QString head = row.name;
        if (row.lastSession.isValid())
            head += QStringLiteral(" — dernière séance le %1").arg(lastSessionText(row.lastSession));
        head += QStringLiteral(" — %1\u00a0min cette semaine").arg(minutesText(row.secondsThisWeek));
        lines << head;
        if (!row.stuckOn.isEmpty()) {
            QStringList stuck;
            for (const ExerciseKey &key : row.stuckOn)
                stuck << label(key);
            lines << QStringLiteral("    Bloque sur\u00a0: %1").arg(stuck.join(QStringLiteral(", ")));
        }
        for (const ExerciseKey &key : grid.exercises) {
            const auto cell = row.cells.constFind(key);
            if (cell != row.cells.constEnd())
                lines << QStringLiteral("    %1\u00a0: %2\u00a0%, %3\u00a0mots/min%4")
                             .arg(label(key), frenchDecimal(cell->bestPrecision))
                             .arg(cell->bestSpeed)
                             .arg(cell->met ? QStringLiteral(" ✓ objectif atteint") : QString());
        }
        lines << QString();
    }
    return lines;
}

QStringList cardLines(const TeacherClass &klass, const QList<NewPupil> &pupils)
{
    QStringList lines;
    for (const NewPupil &pupil : pupils)
        lines << QStringLiteral("Classe\u00a0: %1").arg(klass.name)
              << QStringLiteral("Nom\u00a0: %1").arg(pupil.name)
              << QStringLiteral("Code de la classe\u00a0: %1").arg(klass.code)
              << QStringLiteral("Code personnel\u00a0: %1").arg(pupil.code)
              << QStringLiteral("- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -");
    return lines;
}

} // namespace classe
