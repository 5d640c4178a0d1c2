// The placement test's text and rule.
#include "drills/placement.h"

#include "drills/copytest.h"

namespace drills {

namespace {

// Each step uses only the keys of its group and those of the steps before
// it; the straight quotes and blanks are the plain ones, which every layout
// types.
// clang-format off
constexpr PlacementStep kSteps[] = {
    {2, 1,  "la rangée de repos",          false, "qsdf jklm dfgh jklm sdfg hjkl fjdk slqm gfhj"},
    {2, 4,  "les touches du haut",         true,  "la rue est triste et le repas tarde pour papa"},
    {2, 6,  "les touches du bas",          true,  "vive le vent de novembre sur une cabane au bord du lac"},
    {2, 8,  "les lettres accentuées",      true,  "où sa mère achète des crêpes à côté du marché pour le garçon"},
    {2, 11, "la ponctuation",              false, "oui, non ; hélas ! il dit : \"l'été arrive\" (en juin) - d'accord"},
    {2, 15, "les majuscules",              true,  "Paris Lyon Marseille SNCF TGV Marie Paul Nantes"},
    {2, 16, "les chiffres et les signes",  true,  "12 + 30 = 42 ; 7 x 8 = 56 ; 100 - 25 = 75 ; 1 234 km ?"},
    {2, 19, "les caractères du français",  true,  "À Noël, Élise dit « ça suffit » et l’élève répond : Ça va !"},
};
// clang-format on

// Where each step begins in the whole text.
QList<qsizetype> stepStarts()
{
    QList<qsizetype> starts;
    qsizetype at = 0;
    for (const PlacementStep &step : kSteps) {
        starts.append(at);
        at += QString::fromUtf8(step.text).size() + 1;
    }
    return starts;
}

struct StepCount
{
    qsizetype typed = 0;
    int errors = 0;
    qsizetype length = 0;
};

QList<StepCount> countSteps(QStringView typed)
{
    const QString model = placementText();
    const QList<qsizetype> starts = stepStarts();
    QList<StepCount> counts(starts.size());
    for (int i = 0; i < starts.size(); ++i)
        counts[i].length = (i + 1 < starts.size() ? starts[i + 1] - 1 : model.size()) - starts[i];
    int step = 0;
    for (qsizetype i = 0; i < typed.size() && i < model.size(); ++i) {
        while (step + 1 < starts.size() && i >= starts[step + 1])
            ++step;
        StepCount &count = counts[step];
        if (i >= starts[step] + count.length)
            continue; // the blank between two steps
        ++count.typed;
        count.errors += !copyMatches(model.at(i), typed.at(i));
    }
    return counts;
}

} // namespace

std::span<const PlacementStep> placementSteps()
{
    return kSteps;
}

QString placementText()
{
    QStringList parts;
    for (const PlacementStep &step : kSteps)
        parts << QString::fromUtf8(step.text);
    return parts.join(u' ');
}

bool placementSaysEnough(QStringView typed)
{
    for (const StepCount &count : countSteps(typed))
        if (count.typed >= kPlacementEnoughTyped &&
            count.errors * 100 >= kPlacementEnoughErrors * count.typed)
            return true;
    return false;
}

Placement placementOf(QStringView typed)
{
    const QList<StepCount> counts = countSteps(typed);
    Placement result;
    for (int i = 0; i < counts.size(); ++i) {
        const StepCount &count = counts[i];
        const PlacementStep &step = kSteps[i];
        // A step typed less than halfway was not reached in the time.
        const bool reached = count.typed * 2 >= count.length;
        const int percent = count.typed > 0 ? int((count.errors * 100 + count.typed - 1) / count.typed) : 0;
        if (reached && 100 - percent >= kPlacementObjective)
            continue;
        result.module = step.module;
        result.lesson = step.lesson;
        result.step = i;
        result.errorPercent = percent;
        result.reached = reached && count.typed > 0;
        const QString name = QString::fromUtf8(step.name);
        if (!result.reached)
            result.advice = QStringLiteral("Commencez à l'exercice %1\u00a0: %2 %3 encore à travailler")
                                .arg(step.lesson)
                                .arg(name, step.plural ? QStringLiteral("sont") : QStringLiteral("est"));
        else
            result.advice =
                QStringLiteral("Commencez à l'exercice %1\u00a0: %2 vous %3 encore %4\u00a0% d'erreurs")
                    .arg(step.lesson)
                    .arg(name, step.plural ? QStringLiteral("coûtent") : QStringLiteral("coûte"))
                    .arg(percent);
        return result;
    }
    // Everything mastered: the texts, not the home row again.
    result.module = 4;
    result.lesson = 2;
    result.advice =
        QStringLiteral("Tout est juste\u00a0: passez aux textes, avec «\u00a0La cigale et la fourmi\u00a0»");
    return result;
}

} // namespace drills
