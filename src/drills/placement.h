// « Test de niveau »: a short text that climbs through the groups of the
// exercises, and the rule that tells where to start from what was typed.
// No widget here; TEpreuve runs it.
#pragma once
#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>

namespace drills {

// One step of the climb: the lesson it sends to when it is not yet mastered,
// how the result names it, and its words.
struct PlacementStep
{
    int module;
    std::int32_t lesson;
    const char *name; // « les touches du haut »
    bool plural;      // « coûtent » or « coûte »
    const char *text;
};
std::span<const PlacementStep> placementSteps();

// The whole text: the steps in order, a blank between.
QString placementText();
// About three minutes, at most.
inline constexpr int kPlacementMinutes = 3;
// A step is mastered at 95 % of right characters, as an exercise is passed.
inline constexpr int kPlacementObjective = 95;
// The errors say enough once a step has this many characters typed at
// this rate of errors or more: the test stops there.
inline constexpr int kPlacementEnoughTyped = 20;
inline constexpr int kPlacementEnoughErrors = 25;

struct Placement
{
    int module = 0;
    std::int32_t lesson = 0;
    int step = -1;        // the step that decided, -1 when every step was mastered
    int errorPercent = 0; // its errors, in whole percents
    bool reached = true;  // false: the copy stopped before that step
    QString advice;       // « Commencez à l'exercice 7 : ... »
};

// Where to start, from the copy typed against placementText().
Placement placementOf(QStringView typed);
// Whether the copy so far already says enough to stop.
bool placementSaysEnough(QStringView typed);

} // namespace drills
