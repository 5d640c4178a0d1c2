// Judging of one typed line against the model line of the same number, on
// characters only (case, accents, blanks and tabs count; styles do not).
#pragma once
#include <QString>
#include <QStringView>

#include <functional>

class TextJudge final
{
public:
    struct Verdict
    {
        bool accepted = false;
        // 1-based position in the model line of the first character the typed
        // line does not match; 0 when none does (equal, or merely extended).
        int position = 0;
    };

    // Position from 1 of the first character of model that typed does not
    // match (typed too short counts as a mismatch), or 0.
    static int PosErr(QStringView model, QStringView typed);
    static Verdict judge(QStringView model, QStringView typed);

    // A text of the learner's own may hold signs no keyboard types: skip is
    // passed over, and where plainFor gives a plain spelling for a model
    // character (one the layout cannot type), that spelling is taken too.
    struct Leniency
    {
        QChar skip;
        std::function<QString(QChar)> plainFor;
    };
    static Verdict judge(QStringView model, QStringView typed, const Leniency &leniency);
};
