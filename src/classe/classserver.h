// Where a class's PostgreSQL server is and how this computer logs in to it:
// the settings the class dialog keeps, and what they say of the network.
#pragma once
#include <QString>

namespace classe {

struct ClassServer
{
    QString host; // name, address, or a socket folder ("/run/postgresql")
    int port = 5432;
    QString database = QStringLiteral("tapivox");
    QString user = QStringLiteral("tapivox_eleve"); // the pupils' shared role
    QString password;
    QString sslmode = QStringLiteral("prefer"); // libpq's modes, "verify-full" recommended
    int timeoutSeconds = 10;                    // to connect, and for a silent network

    // The server runs on this computer (loopback or a local socket).
    bool isLocal() const;
    // libpq refuses to talk to it without TLS.
    bool requiresTls() const;
    // Pupils' codes and results would cross the network in clear.
    bool isUnencryptedRemote() const { return !isLocal() && !requiresTls(); }
    // The connection options handed to Qt's driver; empty when the TLS mode
    // is not one of libpq's (options are not quoted by the driver, so
    // nothing else may reach them).
    QString connectOptions() const;
    // "ecole.example:5432", for messages.
    QString address() const;
};

// The dialog's warning for an unencrypted connection to another computer;
// empty when there is nothing to warn of.
QString unencryptedWarning(const ClassServer &server);

} // namespace classe
