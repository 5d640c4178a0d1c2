// The end of the session: Qt's session manager asking for the data to be
// committed (logout, shutdown), or SIGTERM, SIGHUP or SIGINT.
#pragma once
#include <functional>

class QObject;

// saveNotes runs at each commit request and at the first of those signals,
// after which the program ends without asking anything.
void watchSessionEnd(QObject *context, std::function<void()> saveNotes);
