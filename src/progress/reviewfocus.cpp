// The review's focus, without widgets.
#include "progress/reviewfocus.h"

#include <algorithm>

namespace progress {

namespace {

constexpr int kLeaveSamples = 10; // keys since it came forward before it may leave
constexpr double kSlownessWeight = 0.5;

std::int32_t count(const KeyStat &s)
{
    return s.typed + s.missed;
}

void add(KeyStat &to, const KeyStat &from)
{
    to.typed += from.typed;
    to.missed += from.missed;
    to.ms += from.ms;
    to.timed += from.timed;
}

} // namespace

void ReviewFocus::setHistory(const QList<KeyStat> &keys, const QList<Confusion> &confusions, bool keepSteps)
{
    m_stats.clear();
    m_partners.clear();
    if (!keepSteps) {
        m_tracks.clear();
        m_resting.clear();
        m_left.clear();
    }
    for (const KeyStat &k : keys)
        if (!k.key.isEmpty())
            add(m_stats[k.key], k);
    QList<Confusion> sorted = confusions;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Confusion &a, const Confusion &b) { return a.count > b.count; });
    for (const Confusion &c : sorted)
        if (!m_partners.contains(c.expected) && c.pressed != c.expected && !c.pressed.isEmpty())
            m_partners.insert(c.expected, c.pressed);
    chooseFocus();
}

double ReviewFocus::medianMs() const
{
    QList<double> means;
    for (const KeyStat &s : m_stats)
        if (s.timed >= kMinSamples)
            means.append(s.meanMs());
    if (means.isEmpty())
        return 0;
    std::sort(means.begin(), means.end());
    const qsizetype n = means.size();
    return n % 2 ? means[n / 2] : (means[n / 2 - 1] + means[n / 2]) / 2;
}

double ReviewFocus::score(const QString &key) const
{
    const KeyStat s = m_stats.value(key);
    if (count(s) < kMinSamples)
        return 0;
    const double median = medianMs();
    const double slowness = median > 0 && s.timed >= kMinSamples ? std::max(0.0, s.meanMs() / median - 1) : 0;
    return s.errorRate() + kSlownessWeight * slowness;
}

bool ReviewFocus::isGood(const QString &key) const
{
    const KeyStat s = m_stats.value(key);
    if (count(s) < kMinSamples || s.errorRate() > kGoodRate)
        return false;
    const double median = medianMs();
    return median <= 0 || s.timed < kMinSamples || s.meanMs() <= kGoodPace * median;
}

bool ReviewFocus::missedOften(const QString &key) const
{
    const KeyStat s = m_stats.value(key);
    return s.missed >= kFewMisses && s.errorRate() >= kNoticedRate;
}

QStringList ReviewFocus::goodCharacters() const
{
    QStringList good;
    for (auto it = m_stats.cbegin(); it != m_stats.cend(); ++it)
        if ((isGood(it.key()) || m_left.contains(it.key())) && !m_focus.contains(it.key()))
            good.append(it.key());
    return good;
}

void ReviewFocus::chooseFocus()
{
    struct Candidate
    {
        QString key;
        double score;
    };
    QList<Candidate> candidates;
    for (auto it = m_stats.cbegin(); it != m_stats.cend(); ++it) {
        const QString &key = it.key();
        // Characters only (the key drill counts keys by name); the blank is
        // in every line anyway.
        if (key.size() != 1 || key.front().isSpace() || !key.front().isPrint() ||
            (m_typable && !m_typable(key.front())) || (isGood(key) && !missedOften(key)) ||
            m_left.contains(key) || m_resting.contains(key))
            continue;
        const double s = score(key);
        if (s > 0)
            candidates.append({key, s});
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return a.score != b.score ? a.score > b.score : a.key < b.key;
    });
    m_focus.clear();
    for (const Candidate &c : candidates) {
        // A fourth only when it is nearly as weak as the third.
        if (m_focus.size() == 4 || (m_focus.size() == 3 && c.score < 0.8 * candidates[2].score))
            break;
        m_focus.append(c.key);
    }
    for (auto it = m_tracks.begin(); it != m_tracks.end();)
        it = m_focus.contains(it.key()) ? std::next(it) : m_tracks.erase(it);
    for (const QString &key : std::as_const(m_focus)) {
        if (m_tracks.contains(key))
            continue;
        const KeyStat s = m_stats.value(key);
        m_tracks.insert(key, Track{s.errorRate(), s.meanMs(), 0, {}});
    }
}

void ReviewFocus::lineDone(const QMap<QString, KeyStat> &line)
{
    for (auto it = line.cbegin(); it != line.cend(); ++it)
        add(m_stats[it.key()], it.value());
    for (auto it = m_resting.begin(); it != m_resting.end();)
        it = --it.value() <= 0 ? m_resting.erase(it) : std::next(it);
    const double median = medianMs();
    for (const QString &key : std::as_const(m_focus)) {
        const KeyStat now = line.value(key);
        if (count(now) == 0)
            continue;
        Track &track = m_tracks[key];
        add(track.since, now);
        const double rate = now.errorRate();
        const bool faster = now.timed > 0 && track.bestMs > 0 && now.meanMs() < track.bestMs;
        if (rate < track.bestRate || (rate <= track.bestRate && faster)) {
            track.bestRate = std::min(track.bestRate, rate);
            if (now.timed > 0 && (track.bestMs <= 0 || now.meanMs() < track.bestMs))
                track.bestMs = now.meanMs();
            track.stalled = 0;
        } else {
            ++track.stalled;
        }
        const KeyStat &since = track.since;
        if (count(since) >= kLeaveSamples && since.errorRate() <= kGoodRate &&
            (median <= 0 || since.timed == 0 || since.meanMs() <= kGoodPace * median))
            m_left.insert(key);
        else if (track.stalled >= kStallLines)
            m_resting.insert(key, kRestLines);
    }
    chooseFocus();
}

} // namespace progress
