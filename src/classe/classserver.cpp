// Where the class server is, and whether reaching it stays private.
#include "classe/classserver.h"

#include <QStringList>

namespace classe {

namespace {

const QStringList &sslModes()
{
    static const QStringList modes{QStringLiteral("disable"),   QStringLiteral("allow"),
                                   QStringLiteral("prefer"),    QStringLiteral("require"),
                                   QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
    return modes;
}

} // namespace

bool ClassServer::isLocal() const
{
    const QString h = host.trimmed().toLower();
    // libpq takes an empty host or a folder for its local socket.
    return h.isEmpty() || h.startsWith(QLatin1Char('/')) || h == QLatin1String("localhost") ||
           h.startsWith(QLatin1String("127.")) || h == QLatin1String("::1") || h == QLatin1String("[::1]");
}

bool ClassServer::requiresTls() const
{
    return sslmode == QLatin1String("require") || sslmode == QLatin1String("verify-ca") ||
           sslmode == QLatin1String("verify-full");
}

QString ClassServer::connectOptions() const
{
    if (!sslModes().contains(sslmode))
        return {};
    const int seconds = qBound(1, timeoutSeconds, 600);
    // Keepalives and the TCP timeout turn a cable pulled mid-send into an
    // error rather than a wait without end.
    return QStringLiteral("sslmode=%1;connect_timeout=%2;keepalives=1;keepalives_idle=%2;"
                          "keepalives_interval=2;keepalives_count=3;tcp_user_timeout=%3;"
                          "application_name=tapivox")
        .arg(sslmode)
        .arg(seconds)
        .arg(seconds * 1000);
}

QString ClassServer::address() const
{
    const QString h = host.trimmed().isEmpty() ? QStringLiteral("localhost") : host.trimmed();
    return h.startsWith(QLatin1Char('/')) ? h : h + QLatin1Char(':') + QString::number(port);
}

QString unencryptedWarning(const ClassServer &server)
{
    if (!server.isUnencryptedRemote())
        return {};
    return QStringLiteral("La connexion au serveur de la classe «\u00a0%1\u00a0» n'est pas chiffrée\u00a0: "
                          "les codes et les résultats des élèves passeraient en clair sur le réseau. "
                          "Choisissez le mode TLS «\u00a0verify-full\u00a0».")
        .arg(server.host.trimmed());
}

} // namespace classe
