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
