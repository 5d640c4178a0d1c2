// A family of lessons as the progression window names it: the family and
// each of its lessons by code. The frame hands the families over, so that
// the journal's window knows nothing of the menus.
#pragma once
#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>

namespace progress {

// The module codes the coach, the journal and the progression name, as the
// lesson file writes them (the lesson table holds all seven).
inline constexpr int kKeyboardModule = 1;
inline constexpr int kExercisesModule = 2;
inline constexpr int kPhrasesModule = 3;
inline constexpr int kTextModule = 4;
// The personal review, a lesson of the exercises' window but no exercise:
// its code stays clear of the exercises', so that adding one renumbers
// nothing.
inline constexpr std::int32_t kReviewLesson = 100;
// The review's code in the lesson files, learner files and journals written
// before it had its own (the code right after the exercises of the time).
inline constexpr std::int32_t kFormerReviewLesson = 25;

// The timed copy test, kept with the exercises' sessions; like the review,
// codes from kReviewLesson on are no exercise.
inline constexpr std::int32_t kCopyTestLesson = 110;
// The same test taken without corrections (Retour arrière refused): the
// session says which way its result was obtained.
inline constexpr std::int32_t kCopyTestWithoutCorrectionsLesson = 112;
inline bool isCopyTest(int module, std::int32_t lesson)
{
    return module == kExercisesModule &&
           (lesson == kCopyTestLesson || lesson == kCopyTestWithoutCorrectionsLesson);
}
inline std::int32_t copyTestLesson(bool corrections)
{
    return corrections ? kCopyTestLesson : kCopyTestWithoutCorrectionsLesson;
}
// The placement test; its session's title holds the lesson it sends to, as
// "module:lesson".
inline constexpr std::int32_t kPlacementLesson = 111;
inline bool isPlacement(int module, std::int32_t lesson)
{
    return module == kExercisesModule && lesson == kPlacementLesson;
}

// A lesson code as read from a file of any version.
inline std::int32_t lessonCodeRead(int module, std::int32_t lesson)
{
    return module == kExercisesModule && lesson == kFormerReviewLesson ? kReviewLesson : lesson;
}

// The learner's own text is lesson 8 of the text lessons; the progression
// window shows it as a family of its own, under an id no module code takes.
inline constexpr std::int32_t kOwnTextLesson = 8;
inline constexpr int kOwnTextsFamily = -1;

inline bool isOwnText(int module, std::int32_t lesson)
{
    return module == kTextModule && lesson == kOwnTextLesson;
}

struct LessonFamily
{
    int module = 0;                              // as the sessions record it
    QString name;                                // "Exercices"
    QList<QPair<std::int32_t, QString>> lessons; // code, "1 Touches g h"
};

} // namespace progress
