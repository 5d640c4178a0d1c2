// The status bar's words for the class link.
#include "classe/classstatus.h"

#include <QLocale>

namespace classe {

QString statusText(const QString &className, int waiting, bool online)
{
    const QString count = QLocale(QLocale::French).toString(waiting);
    const QString sessions = waiting == 1 ? QStringLiteral("%1 séance en attente").arg(count)
                                          : QStringLiteral("%1 séances en attente").arg(count);
    if (!online)
        return waiting > 0 ? QStringLiteral("hors ligne\u00a0: ") + sessions
                           : QStringLiteral("Classe %1\u00a0: hors ligne").arg(className);
    return QStringLiteral("Classe %1\u00a0: %2")
        .arg(className, waiting > 0 ? sessions : QStringLiteral("à jour"));
}

} // namespace classe
