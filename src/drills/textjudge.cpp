// Judging of typed lines in the text lesson.
#include "drills/textjudge.h"

#include <limits>

namespace {

int position(qsizetype index)
{
    return int(qMin<qsizetype>(index + 1, std::numeric_limits<int>::max()));
}

keyboard::Acceptance acceptanceOf(const TextJudge::Leniency &leniency, QChar c)
{
    if (c == leniency.skip && !c.isNull())
        return {};
    if (leniency.accept)
        return leniency.accept(c);
    keyboard::Acceptance exact;
    exact.typable = true;
    return exact;
}

} // namespace

int TextJudge::PosErr(QStringView model, QStringView typed)
{
    for (qsizetype i = 0; i < model.size(); ++i)
        if (i >= typed.size() || model[i] != typed[i])
            return position(i);
    return 0;
}

TextJudge::Verdict TextJudge::judge(QStringView model, QStringView typed)
{
    Verdict verdict;
    verdict.accepted = model == typed;
    if (!verdict.accepted)
        verdict.position = PosErr(model, typed);
    return verdict;
}

TextJudge::Verdict TextJudge::judge(QStringView model, QStringView typed, const Leniency &leniency)
{
    qsizetype t = 0;
    for (qsizetype m = 0; m < model.size(); ++m) {
        const QChar c = model[m];
        if (t < typed.size() && typed[t] == c) {
            ++t;
            continue;
        }
        const keyboard::Acceptance a = acceptanceOf(leniency, c);
        if (a.skipped())
            continue;
        if (!a.standIn.isEmpty() && typed.mid(t).startsWith(a.standIn)) {
            t += a.standIn.size();
            continue;
        }
        return {false, position(m)};
    }
    return {t == typed.size(), 0};
}

TextJudge::Place TextJudge::follow(QStringView model, QStringView typed, const Leniency &leniency)
{
    Place place;
    qsizetype t = 0;
    for (qsizetype m = 0; m < model.size(); ++m) {
        const QChar c = model[m];
        const keyboard::Acceptance a = acceptanceOf(leniency, c);
        if (a.skipped() && !(t < typed.size() && typed[t] == c)) {
            place.passed += c;
            continue;
        }
        const QStringView rest = typed.mid(t);
        if (rest.isEmpty()) {
            place.next = m;
            return place;
        }
        place.passed.clear();
        if (rest.front() == c) {
            ++t;
        } else if (!a.standIn.isEmpty() && rest.startsWith(a.standIn)) {
            t += a.standIn.size();
        } else if (!a.standIn.isEmpty() && QStringView(a.standIn).startsWith(rest)) {
            place.next = m;
            place.standInTyped = int(rest.size());
            return place;
        } else {
            return {};
        }
    }
    // The whole model typed: the end of the line comes next.
    if (t == typed.size())
        place.next = model.size();
    else
        place = {};
    return place;
}
