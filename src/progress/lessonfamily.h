// A family of lessons as the progression window names it: the family and
// each of its lessons by code. The frame hands the families over, so that
// the journal's window knows nothing of the menus.
#pragma once
#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>

namespace progress {

struct LessonFamily
{
    int module = 0;                              // as the sessions record it
    QString name;                                // "Exercices"
    QList<QPair<std::int32_t, QString>> lessons; // code, "1 Touches g h"
};

} // namespace progress
