// What a pupil's computer keeps of its class, per learner, in the one
// settings file: the server's settings, the class's and the pupil's names
// and the link's token. Never the personal code, never a teacher's password.
#pragma once
#include "classe/classclient.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace classe {

struct KeptLink
{
    ClassServer server;
    QString className;
    QString pupilName;
    QString token;
    // Names this link in the journal's record of what the server holds: a
    // new join is a new link, its sessions sent afresh.
    QString id;
    // Sessions finished from then on go to the class.
    QDateTime since;
    // The server no longer knows the token (pupil removed, class deleted,
    // link cut by the teacher): nothing more is sent until a new join.
    bool cut = false;

    // What the client sends with.
    ClassLink link() const { return {{}, {}, pupilName, className, token}; }
};

// The current learner's (ui::learnerKey) link, if any.
std::optional<KeptLink> keptLink();
// Keeps a new join; the server's settings stay for the next join too.
KeptLink keepLink(const ClassServer &server, const ClassLink &joined, const QDateTime &now);
void markLinkCut();
// Quitting the class: the link goes, the server's settings stay.
void forgetLink();

// The server's settings last used by this learner (a join, or the dialog's
// fields), defaults otherwise.
ClassServer keptServer();
void keepServer(const ClassServer &server);

} // namespace classe
