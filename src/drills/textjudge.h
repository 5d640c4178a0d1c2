// Judging of one typed line against the model line of the same number, on
// characters only (case, accents, blanks and tabs count; styles do not).
#pragma once
#include "keymodel/keymodel.h"

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

    // What the learner's layout gives: skip (the sign of a learner's text
    // for what it could not show) and the characters the layout cannot type
    // at all are passed over; a character's plain stand-in is taken too.
    struct Leniency
    {
        QChar skip;
        std::function<keyboard::Acceptance(QChar)> accept;
    };
    static Verdict judge(QStringView model, QStringView typed, const Leniency &leniency);

    // Where a line typed so far (right up to its end) stands in the model:
    // the model character it expects next, how much of that character's
    // stand-in is typed, and the characters passed over just before it.
    // A typed line that goes wrong gives -1.
    struct Place
    {
        qsizetype next = -1;
        int standInTyped = 0;
        QString passed;
    };
    static Place follow(QStringView model, QStringView typed, const Leniency &leniency);
};
