// The live figures of the guide band: keystrokes and words per minute and
// accuracy, counted from the first judged key of a lesson. A key only
// records its counts and time; the figures are computed when asked (on the
// band's timer), so a key costs nothing more with the guide shown.
#pragma once
#include "progress/objective.h"

#include <QString>

#include <cstdint>

namespace guide {

struct Figures
{
    std::int32_t good = 0;
    std::int32_t errors = 0;
    std::int32_t seconds = 0; // typing time, pauses left out
    QString perMinute;        // as the statistics window gives them: empty
    QString wordsPerMinute;   // before a whole second of typing
    int accuracy = -1;        // percent of keystrokes counted good, -1 without any

    // « 142 frappes/min · 28 mots/min · 97 % »
    QString text() const;
};

class LiveFigures
{
public:
    // Without a key for this long the clock stops until the next one, and
    // with it the band's timer: a wait between two keys longer than this is
    // a pause, as the journal's time per key counts it.
    static constexpr qint64 kPauseMs = 5000;

    void reset() { *this = LiveFigures(); }
    // One judgement of the lesson, as it told its counters; nowMs from any
    // steady clock in milliseconds.
    void judged(std::int32_t good, std::int32_t errors, qint64 nowMs);

    bool started() const { return m_lastMs >= 0; }
    // No key for kPauseMs: the figures no longer change.
    bool paused(qint64 nowMs) const { return m_lastMs < 0 || nowMs - m_lastMs >= kPauseMs; }
    // Typing time up to nowMs: each wait between keys counts up to kPauseMs.
    qint64 typingMs(qint64 nowMs) const;
    Figures at(qint64 nowMs) const;

private:
    std::int32_t m_good = 0;
    std::int32_t m_errors = 0;
    qint64 m_activeMs = 0; // up to the last key
    qint64 m_lastMs = -1;
};

// A session's figures as the progression shows them: its keystrokes per
// minute (by the chronometer when it ran, otherwise over the time from the
// first judged key to the last), its accuracy rounded down and its duration
// in whole seconds.
Figures sessionFigures(const progress::SessionRecord &session);

// The accuracy the end of a lesson asks for, in percent: the same as the
// progression's path marks.
inline constexpr int kObjective = progress::kObjectivePercent;

} // namespace guide
