// The class server's connection, opened and closed for both clients.
#include "classe/serverconnection.h"

#include "classe/classclient.h"

#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace classe {

namespace {
constexpr auto kDriver = "QPSQL";
} // namespace

ServerConnection::ServerConnection(const QString &prefix)
    : m_name([&] {
        static std::atomic<quint64> next{0};
        return QStringLiteral("%1-%2").arg(prefix).arg(next.fetch_add(1));
    }())
{}

Failure ServerConnection::open(const ClassServer &server, QString &detail)
{
    close();
    detail.clear();
    if (!QSqlDatabase::isDriverAvailable(QLatin1String(kDriver)))
        return Failure::NoDriver;
    const QString options = server.connectOptions();
    if (options.isEmpty()) {
        detail = server.sslmode;
        return Failure::BadSettings;
    }
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kDriver), m_name);
        db.setHostName(server.host.trimmed());
        db.setPort(server.port);
        db.setDatabaseName(server.database);
        db.setUserName(server.user.trimmed());
        db.setPassword(server.password);
        db.setConnectOptions(options);
        if (!db.open())
            error = db.lastError();
    }
    if (error.isValid()) {
        close();
        detail = error.text();
        return connectFailureOf(error);
    }
    m_open = true;
    return Failure::None;
}

bool ServerConnection::isOpen() const
{
    return m_open && QSqlDatabase::contains(m_name) && database().isOpen();
}

void ServerConnection::close()
{
    m_open = false;
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = database();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlError statementError(const QSqlQuery &query)
{
    if (query.lastError().isValid())
        return query.lastError();
    // No SQLSTATE: sorted as a connection lost, worth trying again.
    return QSqlError(QString(), QStringLiteral("connection closed"), QSqlError::ConnectionError);
}

} // namespace classe
