// One connection to the class server under a name of its own, so that each
// client, on whichever thread, has its own: the pupil's and the teacher's
// clients both talk through it.
#pragma once
#include "classe/classserver.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

class QSqlQuery;

namespace classe {

enum class Failure;

class ServerConnection final
{
public:
    // prefix tells the connections' owners apart in the driver's list.
    explicit ServerConnection(const QString &prefix);
    ~ServerConnection() { close(); }
    Q_DISABLE_COPY_MOVE(ServerConnection)

    // Connects with these settings: Failure::None when it opened, otherwise
    // why, with the driver's words in detail.
    Failure open(const ClassServer &server, QString &detail);
    void close();
    bool isOpen() const;
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    const QString m_name;
    bool m_open = false;
};

// Why a statement failed: the driver's error, or, when a connection the
// driver saw die is closed and Qt gives no error at all, a lost connection.
QSqlError statementError(const QSqlQuery &query);

} // namespace classe
