// The objective a lesson's session is measured against: 95 % of its
// keystrokes right. The guide's advice and the progression's path read it.
#pragma once
#include "progress/sessiontally.h"

#include <cmath>

namespace progress {

inline constexpr int kObjectivePercent = 95;

// Keystrokes right, in whole percents rounded down, so that a session shown
// at 95 % has always reached the objective.
inline int accuracyPercent(const SessionRecord &session)
{
    if (session.total() <= 0)
        return 0;
    return int(std::floor(100.0 * session.good / session.total() + 1e-9));
}

// Only a lesson typed to its end meets the objective; the sessions of older
// journals, which did not say, are judged on their accuracy alone.
inline bool reachedObjective(const SessionRecord &session)
{
    return session.total() > 0 && session.completed.value_or(true) &&
           accuracyPercent(session) >= kObjectivePercent;
}

} // namespace progress
