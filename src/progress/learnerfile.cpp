// Reading and writing a learner's file, without the journal.
#include "progress/learnerfile.h"

#include "progress/lessonfamily.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <cmath>

namespace progress {

namespace {

const QString kFormat = QStringLiteral("tapivox-apprenant");

// A whole number of the JSON that fits in 32 bits and is not negative.
bool count(const QJsonValue &v, std::int32_t *out)
{
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d < 0 || d > INT32_MAX || d != std::floor(d))
        return false;
    *out = std::int32_t(d);
    return true;
}

// Milliseconds since the epoch, within the years a journal can hold.
bool instant(const QJsonValue &v, qint64 *out)
{
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d < 0 || d > 8.64e15 || d != std::floor(d))
        return false;
    *out = qint64(d);
    return true;
}

bool isUuid(const QString &text)
{
    return !QUuid::fromString(text).isNull();
}

bool readKeys(const QJsonValue &value, SessionRecord *s)
{
    if (!value.isArray())
        return false;
    for (const QJsonValue &row : value.toArray()) {
        const QJsonArray k = row.toArray();
        KeyCount c;
        std::int32_t ms = 0;
        if (k.size() != 5 || !k[0].isString() || k[0].toString().isEmpty() || k[0].toString().size() > 40 ||
            !count(k[1], &c.typed) || !count(k[2], &c.missed) || !count(k[3], &ms) || !count(k[4], &c.timed))
            return false;
        c.ms = ms;
        s->keys.insert(k[0].toString(), c);
    }
    return true;
}

bool readConfusions(const QJsonValue &value, SessionRecord *s)
{
    if (!value.isArray())
        return false;
    for (const QJsonValue &row : value.toArray()) {
        const QJsonArray c = row.toArray();
        std::int32_t times = 0;
        if (c.size() != 3 || !c[0].isString() || !c[1].isString() || c[0].toString().size() > 40 ||
            c[1].toString().size() > 40 || !count(c[2], &times))
            return false;
        s->confusions.insert({c[0].toString(), c[1].toString()}, times);
    }
    return true;
}

bool readSession(const QJsonObject &o, SessionRecord *s)
{
    qint64 start = 0, end = 0, typing = 0;
    std::int32_t module = 0, lesson = 0;
    if (!o.value(u"uuid").isString() || !isUuid(o.value(u"uuid").toString()) ||
        !instant(o.value(u"debut"), &start) || !instant(o.value(u"fin"), &end) ||
        !count(o.value(u"module"), &module) || module < 1 || module > 99 ||
        !count(o.value(u"lecon"), &lesson) || !count(o.value(u"bonnes"), &s->good) ||
        !count(o.value(u"erreurs"), &s->errors) || !count(o.value(u"secondes"), &s->seconds) ||
        !instant(o.value(u"frappe_ms"), &typing))
        return false;
    const QJsonValue title = o.value(u"titre");
    const QJsonValue completed = o.value(u"finie");
    if (!(title.isUndefined() || title.isNull() || (title.isString() && title.toString().size() <= 1000)) ||
        !(completed.isUndefined() || completed.isNull() || completed.isBool()))
        return false;
    s->uuid = QUuid::fromString(o.value(u"uuid").toString()).toString(QUuid::WithoutBraces);
    s->start = QDateTime::fromMSecsSinceEpoch(start);
    s->end = QDateTime::fromMSecsSinceEpoch(end);
    s->module = module;
    s->lesson = lessonCodeRead(module, lesson);
    s->typingMs = typing;
    s->title = title.toString();
    if (completed.isBool())
        s->completed = completed.toBool();
    return readKeys(o.value(u"touches"), s) && readConfusions(o.value(u"confusions"), s);
}

} // namespace

QByteArray LearnerFile::serialize() const
{
    QJsonArray sessionsJson;
    for (const SessionRecord &s : sessions) {
        QJsonArray keys;
        for (auto it = s.keys.cbegin(); it != s.keys.cend(); ++it)
            keys.append(QJsonArray{it.key(), it->typed, it->missed, double(it->ms), it->timed});
        QJsonArray confusions;
        for (auto it = s.confusions.cbegin(); it != s.confusions.cend(); ++it)
            confusions.append(QJsonArray{it.key().first, it.key().second, it.value()});
        QJsonObject o{{u"uuid"_qs, s.uuid},
                      {u"debut"_qs, double(s.start.toMSecsSinceEpoch())},
                      {u"fin"_qs, double(s.end.toMSecsSinceEpoch())},
                      {u"module"_qs, s.module},
                      {u"lecon"_qs, s.lesson},
                      {u"bonnes"_qs, s.good},
                      {u"erreurs"_qs, s.errors},
                      {u"secondes"_qs, s.seconds},
                      {u"frappe_ms"_qs, double(s.typingMs)},
                      {u"touches"_qs, keys},
                      {u"confusions"_qs, confusions}};
        if (!s.title.isEmpty())
            o.insert(u"titre"_qs, s.title);
        if (s.completed)
            o.insert(u"finie"_qs, *s.completed);
        sessionsJson.append(o);
    }
    const QJsonObject root{
        {u"format"_qs, kFormat},
        {u"version"_qs, kVersion},
        {u"apprenant"_qs,
         QJsonObject{{u"uuid"_qs, learner.uuid}, {u"nom"_qs, learner.name}, {u"niveau"_qs, learner.level}}},
        {u"seances"_qs, sessionsJson}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<LearnerFile> LearnerFile::parse(const QByteArray &bytes, QString *error)
{
    QJsonParseError parsed;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parsed);
    const QJsonObject root = doc.object();
    if (parsed.error != QJsonParseError::NoError || !doc.isObject() || root.value(u"format") != kFormat) {
        *error = QStringLiteral("ce n'est pas un fichier d'apprenant de Tapivox");
        return std::nullopt;
    }
    std::int32_t version = 0;
    if (!count(root.value(u"version"), &version) || version < 1) {
        *error = QStringLiteral("le fichier est endommagé (sa version manque)");
        return std::nullopt;
    }
    if (version > kVersion) {
        *error = QStringLiteral("il vient d'une version plus récente de Tapivox");
        return std::nullopt;
    }
    LearnerFile file;
    const QJsonObject learner = root.value(u"apprenant").toObject();
    file.learner.uuid = learner.value(u"uuid").toString();
    file.learner.name = learner.value(u"nom").toString().trimmed();
    std::int32_t level = -1;
    if (!isUuid(file.learner.uuid) || !Journal::learnerNameProblem(file.learner.name).isEmpty() ||
        !count(learner.value(u"niveau"), &level) || level > Learner::kCanType) {
        *error = QStringLiteral("le fichier est endommagé (l'apprenant y est mal décrit)");
        return std::nullopt;
    }
    file.learner.uuid = QUuid::fromString(file.learner.uuid).toString(QUuid::WithoutBraces);
    file.learner.level = level;
    const QJsonValue sessions = root.value(u"seances");
    if (!sessions.isArray()) {
        *error = QStringLiteral("le fichier est endommagé (ses séances manquent)");
        return std::nullopt;
    }
    for (const QJsonValue &value : sessions.toArray()) {
        SessionRecord s;
        if (!value.isObject() || !readSession(value.toObject(), &s)) {
            *error = QStringLiteral("le fichier est endommagé (la séance %1 est illisible)")
                         .arg(file.sessions.size() + 1);
            return std::nullopt;
        }
        file.sessions.append(s);
    }
    return file;
}

} // namespace progress
