// The class link in the settings file, under the learner's own keys.
#include "classe/pupillink.h"

#include "ui/settings.h"

#include <QUuid>

namespace classe {

namespace {

QString key(const char *name)
{
    return ui::learnerKey(QLatin1String("classe/") + QLatin1String(name));
}

} // namespace

ClassServer keptServer()
{
    const auto settings = ui::settings();
    ClassServer server;
    server.host = settings->value(key("serveur/adresse"), server.host).toString();
    server.port = settings->value(key("serveur/port"), server.port).toInt();
    server.database = settings->value(key("serveur/base"), server.database).toString();
    server.sslmode = settings->value(key("serveur/tls"), server.sslmode).toString();
    server.user = settings->value(key("serveur/role"), server.user).toString();
    // The pupils' shared role, as the administrator gives it to every
    // computer of the school: no pupil's secret.
    server.password = settings->value(key("serveur/motdepasse"), server.password).toString();
    return server;
}

void keepServer(const ClassServer &server)
{
    const auto settings = ui::settings();
    settings->setValue(key("serveur/adresse"), server.host.trimmed());
    settings->setValue(key("serveur/port"), server.port);
    settings->setValue(key("serveur/base"), server.database.trimmed());
    settings->setValue(key("serveur/tls"), server.sslmode);
    settings->setValue(key("serveur/role"), server.user.trimmed());
    settings->setValue(key("serveur/motdepasse"), server.password);
}

std::optional<KeptLink> keptLink()
{
    const auto settings = ui::settings();
    KeptLink link;
    link.token = settings->value(key("lien/jeton")).toString();
    link.id = settings->value(key("lien/id")).toString();
    if (link.token.isEmpty() || link.id.isEmpty())
        return std::nullopt;
    link.server = keptServer();
    link.className = settings->value(key("lien/classe")).toString();
    link.pupilName = settings->value(key("lien/eleve")).toString();
    link.since = QDateTime::fromMSecsSinceEpoch(settings->value(key("lien/depuis")).toLongLong());
    link.cut = settings->value(key("lien/coupe"), false).toBool();
    return link;
}

KeptLink keepLink(const ClassServer &server, const ClassLink &joined, const QDateTime &now)
{
    KeptLink link;
    link.server = server;
    link.className = joined.className;
    link.pupilName = joined.pupilName;
    link.token = joined.token;
    link.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    link.since = now;
    keepServer(server);
    const auto settings = ui::settings();
    settings->setValue(key("lien/classe"), link.className);
    settings->setValue(key("lien/eleve"), link.pupilName);
    settings->setValue(key("lien/jeton"), link.token);
    settings->setValue(key("lien/id"), link.id);
    settings->setValue(key("lien/depuis"), link.since.toMSecsSinceEpoch());
    settings->remove(key("lien/coupe"));
    return link;
}

void markLinkCut()
{
    ui::settings()->setValue(key("lien/coupe"), true);
}

void forgetLink()
{
    ui::settings()->remove(ui::learnerKey(QStringLiteral("classe/lien")));
}

} // namespace classe
