// What the guide offers when the program starts: a greeting at the first run
// (an empty journal), the lesson of the last session afterwards. No widget
// here: the frame reads the journal and hands over its rows.
#pragma once
#include "progress/sessiontally.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

namespace guide {

struct StartOffer
{
    enum class Kind { None, FirstRun, Resume };
    Kind kind = Kind::None;
    int module = 0;          // the lesson to resume, as the journal records it
    std::int32_t lesson = 0; // its code in that module
    QString text;            // « Reprendre : Exercice 4, Touches e r u i — ... »
    // A first run of a learner who says they can already type: the French
    // characters come first, not the home row.
    bool canType = false;
};

// sessions: the journal's latest sessions in any order; null when the journal
// is off or could not be read, which offers nothing. lessonName names the
// lesson of a session (« Exercice 4, Touches e r u i »).
StartOffer startOffer(const QList<progress::SessionRecord> *sessions, const QDate &today,
                      const std::function<QString(const progress::SessionRecord &)> &lessonName);

// « 8 décembre », « 1er mars », with the year when it is not today's.
QString frenchDay(const QDate &day, const QDate &today);

} // namespace guide
