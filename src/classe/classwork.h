// What a class asks of its pupils: the teacher's assignments (« exercices 1
// à 6 à 95 % et 20 mots/min avant le 18 décembre ») and the lessons hidden
// for the class, and the sentence a pupil reads of them. Plain values, read
// by the teacher's and the pupil's sides alike.
#pragma once
#include "progress/sessiontally.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

namespace classe {

struct Assignment
{
    qint64 id = 0;
    qint64 pupilId = 0; // 0 for the whole class
    QString module;
    QString firstLesson;
    QString lastLesson;
    double precision = 95;
    int speed = 20;
    QDate due; // invalid: no date
};

struct HiddenLesson
{
    QString module;
    QString lesson;
    friend bool operator==(const HiddenLesson &, const HiddenLesson &) = default;
};

// What a pupil's computer reads of its class in one go.
struct ClassWork
{
    QList<Assignment> assignments;
    QList<HiddenLesson> hidden;
};

// A session's figures as the teacher's grid counts them: precision in
// percent and speed in words a minute (five keystrokes a word, by the
// chronometer when it ran, else by the typing time), both rounded down.
double sessionPrecision(const progress::SessionRecord &session);
int sessionSpeed(const progress::SessionRecord &session);
// One session typed to its end at the assignment's objective, on its
// module and within its lessons.
bool meets(const Assignment &assignment, const progress::SessionRecord &session);

// The date as a sentence says it: « le 18 décembre », with the year when it
// is not today's year.
QString dueText(const QDate &due, const QDate &today);

// What the pupil reads of the assignments, given their journal: « Consigne
// de la classe : encore l'exercice 4 », the first exercise of the earliest
// assignments not met yet, with its due date; a sentence when all are met;
// empty without assignments. lessonName, when given, names each lesson
// (« Phrases, Maximes »), and is empty for a code no lesson has.
using LessonName = std::function<QString(int module, int lesson)>;
QString assignmentSentence(const QList<Assignment> &assignments,
                           const QList<progress::SessionRecord> &sessions, const QDate &today,
                           const LessonName &lessonName = {});

} // namespace classe
