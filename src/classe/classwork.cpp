// What the pupil reads of the class's assignments, from their own journal.
#include "classe/classwork.h"

#include "progress/lessonfamily.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace classe {

namespace {

// The codes an assignment covers, in order: a range, or one code.
QList<int> lessonsOf(const Assignment &a)
{
    bool firstNumber = false, lastNumber = false;
    const int first = a.firstLesson.toInt(&firstNumber);
    const int last = a.lastLesson.toInt(&lastNumber);
    if (!firstNumber)
        return {};
    QList<int> lessons;
    // A range backwards, or absurdly long, is read as its first lesson.
    if (!lastNumber || last < first || last - first > 200)
        return {first};
    for (int lesson = first; lesson <= last; ++lesson)
        lessons << lesson;
    return lessons;
}

QString figures(const Assignment &a)
{
    const QLocale french(QLocale::French);
    const QString precision =
        french.toString(a.precision, 'f', std::round(a.precision) == a.precision ? 0 : 1) +
        QStringLiteral("\u00a0%");
    // Speed 0: precision alone is asked.
    return a.speed > 0 ? QStringLiteral("%1 et %2\u00a0mots/min").arg(precision).arg(a.speed) : precision;
}

} // namespace

double sessionPrecision(const progress::SessionRecord &s)
{
    if (s.total() <= 0)
        return -1;
    return std::floor(1000.0 * s.good / s.total() + 1e-9) / 10;
}

int sessionSpeed(const progress::SessionRecord &s)
{
    if (s.seconds > 0)
        return int(qint64(s.good) * 12 / s.seconds);
    if (s.typingMs >= 1000)
        return int(qint64(s.good) * 12000 / s.typingMs);
    return -1;
}

bool meets(const Assignment &a, const progress::SessionRecord &s)
{
    if (QString::number(s.module) != a.module || !s.completed.value_or(false))
        return false;
    if (!lessonsOf(a).contains(progress::lessonCodeRead(s.module, s.lesson)))
        return false;
    const double precision = sessionPrecision(s);
    const int speed = sessionSpeed(s);
    // In tenths, as the server keeps the objective: 95 and 94.99 stay apart.
    // Without a speed asked, a session too short to time still counts.
    return precision >= 0 && std::llround(precision * 100) >= std::llround(a.precision * 100) &&
           (a.speed <= 0 || speed >= a.speed);
}

QString dueText(const QDate &due, const QDate &today)
{
    const QLocale french(QLocale::French);
    const QString day = due.day() == 1 ? QStringLiteral("1er") : QString::number(due.day());
    QString text = QStringLiteral("le %1\u00a0%2").arg(day, french.monthName(due.month()));
    if (due.year() != today.year())
        text += QStringLiteral("\u00a0") + QString::number(due.year());
    return text;
}

QString assignmentSentence(const QList<Assignment> &assignments,
                           const QList<progress::SessionRecord> &sessions, const QDate &today,
                           const LessonName &lessonName)
{
    QList<Assignment> ordered;
    for (const Assignment &a : assignments)
        if (!lessonsOf(a).isEmpty() && a.module.toInt() > 0)
            ordered << a;
    if (ordered.isEmpty())
        return {};
    // The nearest date first; those without a date after every dated one.
    std::stable_sort(ordered.begin(), ordered.end(), [](const Assignment &a, const Assignment &b) {
        return a.due.isValid() && (!b.due.isValid() || a.due < b.due);
    });
    for (const Assignment &a : std::as_const(ordered)) {
        const int module = a.module.toInt();
        for (const int lesson : lessonsOf(a)) {
            const bool met =
                std::any_of(sessions.cbegin(), sessions.cend(), [&](const progress::SessionRecord &s) {
                    return progress::lessonCodeRead(s.module, s.lesson) == lesson && meets(a, s);
                });
            if (met)
                continue;
            // A code within a range that no lesson has is not asked for.
            const QString name = lessonName ? lessonName(module, lesson) : QString();
            if (lessonName && name.isEmpty())
                continue;
            QString what;
            if (module == progress::kExercisesModule)
                what = QStringLiteral("l'exercice %1").arg(lesson);
            else if (!name.isEmpty())
                what = QStringLiteral("«\u00a0%1\u00a0»").arg(name);
            else
                what = QStringLiteral("la leçon %1").arg(lesson);
            QString sentence = QStringLiteral("Consigne de la classe\u00a0: encore %1").arg(what);
            sentence += QStringLiteral(", à ") + figures(a);
            if (a.due.isValid())
                sentence +=
                    (a.due < today ? QStringLiteral(", qui était pour ") : QStringLiteral(", avant ")) +
                    dueText(a.due, today);
            return sentence;
        }
    }
    return QStringLiteral("Consigne de la classe\u00a0: tout est atteint, bravo\u00a0!");
}

} // namespace classe
