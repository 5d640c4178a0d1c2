// The status bar's words for the class link.
#pragma once
#include <QString>

namespace classe {

// « Classe CM2 B : à jour », « hors ligne : 3 séances en attente »; online
// says the last try reached the server.
QString statusText(const QString &className, int waiting, bool online);

} // namespace classe
