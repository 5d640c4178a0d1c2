// The pupil's side of the class server: its connection, its French words
// for every fault, and the sending of sessions in order.
#include "classe/classclient.h"

#include "progress/lessonfamily.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>

namespace classe {

namespace {

// The schema's own words, told apart from each other within SQLSTATE 28000.
constexpr auto kLockedWords = "Trop d'essais";
constexpr auto kUnknownClassWords = "Code de classe inconnu";
constexpr auto kUnlinkedWords = "Poste non relié";

QString withoutSpaces(const QString &code)
{
    QString kept;
    for (const QChar c : code)
        if (!c.isSpace())
            kept += c;
    return kept;
}

bool sendable(const progress::SessionRecord &s)
{
    return !QUuid::fromString(s.uuid).isNull() && s.good >= 0 && s.errors >= 0 && s.seconds >= 0 &&
           s.typingMs >= 0 && s.start.isValid() && s.end.isValid();
}

bool lostConnection(const QString &state)
{
    // No SQLSTATE: libpq saw the socket close before any answer.
    return state.isEmpty() || state.startsWith(QLatin1String("08")) || state == QLatin1String("57P01") ||
           state == QLatin1String("57P02") || state == QLatin1String("57P03");
}

} // namespace

Failure statementFailureOf(const QSqlError &error)
{
    const QString state = error.nativeErrorCode();
    if (lostConnection(state))
        return Failure::ConnectionLost;
    if (state == QLatin1String("53100"))
        return Failure::ServerFull;
    // Out of memory or connections, a statement or lock timeout, a
    // conflict, a server in recovery: all pass by themselves.
    if (state.startsWith(QLatin1String("53")) || state.startsWith(QLatin1String("40")) ||
        state == QLatin1String("57014") || state == QLatin1String("55P03") || state == QLatin1String("25006"))
        return Failure::Busy;
    if (state == QLatin1String("28000")) {
        const QString text = error.databaseText();
        if (text.contains(QLatin1String(kLockedWords)))
            return Failure::Locked;
        if (text.contains(QLatin1String(kUnknownClassWords)))
            return Failure::UnknownClass;
        if (text.contains(QString::fromUtf8(kUnlinkedWords)))
            return Failure::Unlinked;
        return Failure::WrongCode;
    }
    if (state == QLatin1String("42501"))
        return Failure::Refused;
    // A missing table or function: not our schema.
    if (state == QLatin1String("42P01") || state == QLatin1String("3F000") || state == QLatin1String("42883"))
        return Failure::NoSchema;
    return Failure::Server;
}

bool retryLater(Failure failure)
{
    switch (failure) {
    case Failure::Unreachable:
    case Failure::Busy:
    case Failure::ConnectionLost:
    case Failure::Locked:
    case Failure::ServerFull: return true;
    default: return false;
    }
}

ClassClient::ClassClient(ClassServer server)
    : m_server(std::move(server))
    , m_db(QStringLiteral("classe"))
{}

ClassClient::~ClassClient() = default;

bool ClassClient::isOpen() const
{
    return m_db.isOpen();
}

void ClassClient::close()
{
    m_db.close();
}

bool ClassClient::fail(Failure failure, const QString &detail, int version)
{
    m_failure = failure;
    m_message = messageFor(failure, version);
    m_detail = detail;
    return false;
}

Failure connectFailureOf(const QSqlError &error)
{
    const QString text = error.databaseText().toLower();
    if (text.contains(QLatin1String("ssl")) || text.contains(QLatin1String("certificat")))
        return Failure::Tls;
    // Only what the server itself said is FATAL; the rest is libpq not
    // reaching it. The server may speak French.
    if (!text.contains(QLatin1String("fatal")))
        return Failure::Unreachable;
    for (const char *refusal : {"password", "authentication", "pg_hba", "does not exist", "not permitted",
                                "permission", "mot de passe", "authentification", "n'existe pas", "refus"})
        if (text.contains(QLatin1String(refusal)))
            return Failure::Refused;
    return Failure::Busy;
}

bool ClassClient::open()
{
    // Each use asks for the version again: that shows a connection dropped
    // while idle (a server restarted), opened again at once, and a schema
    // changed meanwhile.
    if (isOpen() && (checkVersion() || m_failure != Failure::ConnectionLost))
        return m_failure == Failure::None;
    QString detail;
    if (const Failure failure = m_db.open(m_server, detail); failure != Failure::None)
        return fail(failure, detail);
    return checkVersion();
}

bool ClassClient::checkVersion()
{
    QSqlError error;
    int version = -1;
    {
        QSqlQuery query(m_db.database());
        if (!query.exec(QStringLiteral("SELECT version FROM classe.schema_version")))
            error = statementError(query);
        else if (query.next())
            version = query.value(0).toInt();
    }
    Failure failure = Failure::None;
    if (error.isValid())
        failure = statementFailureOf(error);
    else if (version < 0)
        failure = Failure::NoSchema;
    else if (version != kSchemaVersion)
        failure = Failure::SchemaVersion;
    if (failure == Failure::None) {
        m_failure = Failure::None;
        m_message.clear();
        return true;
    }
    close();
    return fail(failure, error.text(), version);
}

std::optional<ClassLink> ClassClient::join(const QString &classCode, const QString &personalCode)
{
    ClassLink link{withoutSpaces(classCode).toUpper(), withoutSpaces(personalCode), {}, {}, {}};
    // An empty code would only count a failure against the class.
    if (link.classCode.isEmpty()) {
        fail(Failure::UnknownClass, {});
        return std::nullopt;
    }
    if (link.personalCode.isEmpty()) {
        fail(Failure::WrongCode, {});
        return std::nullopt;
    }
    if (!open())
        return std::nullopt;
    QSqlError error;
    {
        QSqlQuery query(m_db.database());
        query.prepare(QStringLiteral("SELECT pupil_name, class_name, token FROM classe.link_class(?, ?)"));
        query.addBindValue(link.classCode);
        query.addBindValue(link.personalCode);
        if (query.exec() && query.next()) {
            link.pupilName = query.value(0).toString();
            link.className = query.value(1).toString();
            link.token = query.value(2).toString();
        } else {
            error = statementError(query);
        }
    }
    if (link.pupilName.isEmpty()) {
        const Failure failure = error.isValid() ? statementFailureOf(error) : Failure::WrongCode;
        if (failure == Failure::ConnectionLost)
            close();
        fail(failure, error.text());
        return std::nullopt;
    }
    m_failure = Failure::None;
    m_message.clear();
    return link;
}

namespace {

// As many as the server takes in one session.
constexpr int kMaxMissedCharacters = 200;

// The characters a session missed, as the server keeps them: how often
// typed and how often missed, for those missed at least once.
QString missesJson(const progress::SessionRecord &s)
{
    QJsonObject misses;
    for (auto it = s.keys.cbegin(); it != s.keys.cend() && misses.size() < kMaxMissedCharacters; ++it)
        if (it.value().missed > 0 && !it.key().isEmpty() && it.key().size() <= 16)
            misses.insert(it.key(), QJsonArray{std::max(it.value().typed, it.value().missed), it.value().missed});
    return QString::fromUtf8(QJsonDocument(misses).toJson(QJsonDocument::Compact));
}

} // namespace

SendReport ClassClient::send(const ClassLink &link, const QList<progress::SessionRecord> &sessions)
{
    SendReport report;
    QList<const progress::SessionRecord *> queue;
    for (const progress::SessionRecord &s : sessions) {
        if (sendable(s))
            queue << &s;
        else
            report.skipped << s.uuid;
    }
    qsizetype next = 0;
    const auto stopHere = [&] {
        for (qsizetype i = next; i < queue.size(); ++i)
            report.waiting << queue[i]->uuid;
        report.failure = m_failure;
        report.message = m_message;
        return report;
    };
    if (queue.isEmpty())
        return report;
    if (!open())
        return stopHere();
    QSqlError error;
    bool refused = false;
    {
        QSqlQuery query(m_db.database());
        // A link without its token (kept before the server gave them) proves
        // the pupil with both codes, each time.
        const bool linked = !link.token.isEmpty();
        if (!query.prepare(
                linked ? QStringLiteral("SELECT classe.send_linked_session_misses(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?::jsonb)")
                       : QStringLiteral("SELECT classe.send_session(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
            error = statementError(query);
        for (; !error.isValid() && next < queue.size(); ++next) {
            const progress::SessionRecord &s = *queue[next];
            if (linked) {
                query.addBindValue(link.token);
            } else {
                query.addBindValue(link.classCode);
                query.addBindValue(link.personalCode);
            }
            query.addBindValue(QUuid::fromString(s.uuid).toString(QUuid::WithoutBraces));
            query.addBindValue(QString::number(s.module));
            // Codes of any journal's age, as this program names them now.
            query.addBindValue(QString::number(progress::lessonCodeRead(s.module, s.lesson)));
            query.addBindValue(s.good);
            query.addBindValue(s.errors);
            query.addBindValue(s.seconds);
            query.addBindValue(s.typingMs);
            query.addBindValue(s.start.toUTC());
            query.addBindValue(s.end.toUTC());
            query.addBindValue(s.completed.value_or(false));
            if (linked)
                query.addBindValue(missesJson(s));
            if (!query.exec()) {
                error = statementError(query);
                break;
            }
            // No answer at all is a connection gone with the statement, not a
            // refusal: the link stays.
            if (!query.next()) {
                error = statementError(query);
                break;
            }
            // False: the link or the personal code no longer opens the class.
            if (!query.value(0).toBool()) {
                refused = true;
                break;
            }
            query.finish();
            report.stored << s.uuid;
            if (m_afterEach)
                m_afterEach(s.uuid);
        }
    }
    if (!error.isValid() && !refused) {
        m_failure = Failure::None;
        m_message.clear();
        return report;
    }
    const Failure failure = !refused               ? statementFailureOf(error)
                            : link.token.isEmpty() ? Failure::WrongCode
                                                   : Failure::Unlinked;
    if (failure == Failure::ConnectionLost)
        close();
    fail(failure, error.text());
    return stopHere();
}

bool ClassClient::readLinked(const ClassLink &link, const QString &sql,
                             const std::function<void(const QSqlQuery &)> &row)
{
    // Only a computer that joined holds a token; the codes alone never read
    // the class (each wrong try would count towards its lock).
    if (link.token.isEmpty())
        return fail(Failure::Unlinked, {});
    if (!open())
        return false;
    QSqlError error;
    {
        QSqlQuery query(m_db.database());
        query.prepare(sql);
        query.addBindValue(link.token);
        if (query.exec()) {
            while (query.next())
                row(query);
        } else {
            error = statementError(query);
        }
    }
    if (!error.isValid()) {
        m_failure = Failure::None;
        m_message.clear();
        return true;
    }
    return fail(statementFailure(error), error.text());
}

Failure ClassClient::statementFailure(const QSqlError &error)
{
    const Failure failure = statementFailureOf(error);
    if (failure == Failure::ConnectionLost)
        close();
    return failure;
}

std::optional<QList<Assignment>> ClassClient::assignments(const ClassLink &link)
{
    QList<Assignment> list;
    if (!readLinked(link,
                    QStringLiteral("SELECT module, first_lesson, last_lesson, objective_precision,"
                                   " objective_speed, due FROM classe.linked_assignments(?)"),
                    [&list](const QSqlQuery &q) {
                        list << Assignment{0,
                                           0,
                                           q.value(0).toString(),
                                           q.value(1).toString(),
                                           q.value(2).toString(),
                                           q.value(3).toDouble(),
                                           q.value(4).toInt(),
                                           q.isNull(5) ? QDate() : q.value(5).toDate()};
                    }))
        return std::nullopt;
    return list;
}

std::optional<QList<HiddenLesson>> ClassClient::hiddenLessons(const ClassLink &link)
{
    QList<HiddenLesson> list;
    if (!readLinked(link, QStringLiteral("SELECT module, lesson FROM classe.linked_hidden_lessons(?)"),
                    [&list](const QSqlQuery &q) {
                        list << HiddenLesson{q.value(0).toString(), q.value(1).toString()};
                    }))
        return std::nullopt;
    return list;
}

std::optional<ClassWork> ClassClient::work(const ClassLink &link)
{
    auto assigned = assignments(link);
    if (!assigned)
        return std::nullopt;
    auto hidden = hiddenLessons(link);
    if (!hidden)
        return std::nullopt;
    return ClassWork{*assigned, *hidden};
}

QString ClassClient::messageFor(Failure failure, int version) const
{
    return failureMessage(failure, m_server, version);
}

QString failureMessage(Failure failure, const ClassServer &server, int version)
{
    switch (failure) {
    case Failure::None: return {};
    case Failure::NoDriver:
        return QStringLiteral("Le pilote PostgreSQL de Qt est absent (paquet libqt6sql6-psql)");
    case Failure::BadSettings:
        return QStringLiteral("Mode TLS inconnu «\u00a0%1\u00a0»\u00a0: choisissez «\u00a0verify-full\u00a0»")
            .arg(server.sslmode);
    case Failure::Tls:
        return QStringLiteral("La connexion chiffrée au serveur de la classe (%1) a échoué\u00a0: vérifiez "
                              "son certificat et le certificat racine installé sur ce poste")
            .arg(server.address());
    case Failure::Unreachable:
        return QStringLiteral("Le serveur de la classe (%1) ne répond pas").arg(server.address());
    case Failure::Refused:
        return QStringLiteral("Le serveur de la classe (%1) refuse la connexion de ce poste\u00a0: vérifiez "
                              "la base, le rôle et son mot de passe avec l'administrateur")
            .arg(server.address());
    case Failure::Busy:
        return QStringLiteral(
            "Le serveur de la classe est occupé ou redémarre\u00a0; nouvel essai plus tard");
    case Failure::ConnectionLost: return QStringLiteral("La connexion au serveur de la classe a été coupée");
    case Failure::NoSchema:
        return QStringLiteral("Ce serveur n'a pas le schéma de la classe\u00a0: l'administrateur doit "
                              "l'installer (tapivox --classe-schema)");
    case Failure::SchemaVersion:
        if (version > kSchemaVersion)
            return QStringLiteral("Le serveur de la classe a un schéma plus récent (version %1) que celui de "
                                  "ce Tapivox (version %2)\u00a0: mettez Tapivox à jour sur ce poste")
                .arg(version)
                .arg(kSchemaVersion);
        return QStringLiteral("Le serveur de la classe a un schéma plus ancien (version %1) que celui de ce "
                              "Tapivox (version %2)\u00a0: l'administrateur doit le mettre à jour "
                              "(tapivox --classe-schema)")
            .arg(version)
            .arg(kSchemaVersion);
    case Failure::UnknownClass:
        return QStringLiteral("Ce code de classe est inconnu du serveur\u00a0: code mal tapé, ou classe "
                              "supprimée par l'enseignant");
    case Failure::WrongCode:
        return QStringLiteral("Ce code personnel n'ouvre pas cette classe\u00a0: code mal tapé, ou élève "
                              "retiré par l'enseignant");
    case Failure::Unlinked:
        return QStringLiteral("Ce poste n'est plus relié à la classe\u00a0: l'enseignant a retiré l'élève ou "
                              "supprimé la classe. Rejoignez-la avec un nouveau code");
    case Failure::Locked:
        return QStringLiteral("Trop de codes faux pour cette classe\u00a0: réessayez dans quelques minutes");
    case Failure::ServerFull:
        return QStringLiteral("Le disque du serveur de la classe est plein\u00a0: les séances attendent sur "
                              "ce poste");
    case Failure::Server: return QStringLiteral("Le serveur de la classe a refusé la demande");
    }
    return {};
}

} // namespace classe
