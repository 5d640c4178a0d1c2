// What the band says at the end of a lesson.
#include "guide/lessonend.h"

#include "drills/exercisetexts.h"
#include "progress/lessonfamily.h"

namespace guide {

namespace {

constexpr int kExercises = progress::kExercisesModule, kPhrases = progress::kPhrasesModule,
              kText = progress::kTextModule;
// The last of the first exercises, and of the whole series: the phrases
// come next.
constexpr std::int32_t kLastFirstExercise = drills::FirstFrenchExercise - 1;

// « exercice réussi », « page réussie », « texte réussi »
QString success(int module)
{
    switch (module) {
    case kExercises: return QStringLiteral("exercice réussi");
    case kPhrases: return QStringLiteral("page réussie");
    case kText: return QStringLiteral("texte réussi");
    default: return QStringLiteral("leçon réussie");
    }
}

} // namespace

NextLesson nextLesson(int module, std::int32_t code, bool nextPageInPlace, const Offered &offered)
{
    NextLesson next;
    const auto offer = [&](int m, std::int32_t c) { return offered && offered(m, c); };
    if (module == kPhrases && nextPageInPlace) {
        next.inPlace = true;
    } else if (module == kExercises && code >= 1 && code <= drills::ExerciseCount) {
        const bool toPhrases = code == kLastFirstExercise || code == drills::ExerciseCount;
        if (toPhrases && offer(kPhrases, 1)) {
            next.module = kPhrases;
            next.code = 1;
            next.caption = QStringLiteral("Passer aux p&hrases");
            next.where = QStringLiteral("aux phrases");
            return next;
        }
        if (!toPhrases && offer(kExercises, code + 1)) {
            next.module = kExercises;
            next.code = code + 1;
            next.caption = QStringLiteral("Exercice suiva&nt");
            next.where = QStringLiteral("à l'exercice %1").arg(code + 1);
        }
        return next;
    } else if (module == kPhrases && offer(kPhrases, code + 1)) {
        next.module = kPhrases;
        next.code = code + 1;
    } else if (module == kText && code >= 1 && offer(kText, code + 1) &&
               !progress::isOwnText(kText, code + 1)) {
        next.module = kText;
        next.code = code + 1;
    }
    if (module == kPhrases && (next.inPlace || next.module)) {
        next.caption = QStringLiteral("Page suiva&nte");
        next.where = QStringLiteral("à la page suivante");
    } else if (module == kText && next.module) {
        next.caption = QStringLiteral("Texte suiva&nt");
        next.where = QStringLiteral("au texte suivant");
    }
    return next;
}

LessonEnd lessonEnd(int module, const Figures &figures, const NextLesson &next)
{
    LessonEnd end;
    end.reached = figures.accuracy >= kObjective;
    QString result = QStringLiteral("Précision\u00a0: %1\u00a0% (objectif\u00a0: %2\u00a0%)")
                         .arg(figures.accuracy < 0 ? QStringLiteral("–") : QString::number(figures.accuracy))
                         .arg(kObjective);
    if (!figures.perMinute.isEmpty())
        result += QStringLiteral(" · %1 frappes/min").arg(figures.perMinute);
    result += QStringLiteral(" · durée %1:%2")
                  .arg(figures.seconds / 60)
                  .arg(figures.seconds % 60, 2, 10, QLatin1Char('0'));
    end.result = result;
    if (!end.reached)
        end.advice = QStringLiteral("Encore un essai\u00a0: visez %1\u00a0% de précision").arg(kObjective);
    else if (next.where.isEmpty())
        end.advice = QStringLiteral("Bravo, %1").arg(success(module));
    else
        end.advice = QStringLiteral("Bravo, %1\u00a0: passez %2").arg(success(module), next.where);
    return end;
}

} // namespace guide
