// Judging of typed lines in the text lesson.
#include "drills/textjudge.h"

#include <limits>

int TextJudge::PosErr(QStringView model, QStringView typed)
{
    for (qsizetype i = 0; i < model.size(); ++i)
        if (i >= typed.size() || model[i] != typed[i])
            return int(qMin<qsizetype>(i + 1, std::numeric_limits<int>::max()));
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
        if (c == leniency.skip && !c.isNull())
            continue;
        if (t < typed.size() && typed[t] == c) {
            ++t;
            continue;
        }
        const QString plain = leniency.plainFor ? leniency.plainFor(c) : QString();
        if (!plain.isEmpty() && typed.mid(t).startsWith(plain)) {
            t += plain.size();
            continue;
        }
        return {false, int(qMin<qsizetype>(m + 1, std::numeric_limits<int>::max()))};
    }
    return {t == typed.size(), 0};
}
