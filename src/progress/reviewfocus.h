// Which characters a review drills: the weakest of the learner's recent
// history by error rate and slowness, with the characters they are mistaken
// for. It follows the review line by line, so that a character that does not
// get better steps back instead of holding the learner on it for ever.
#pragma once
#include "progress/journal.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <functional>

namespace progress {

class ReviewFocus final
{
public:
    static constexpr int kMinSamples = 3;     // fewer keys say nothing of a character
    static constexpr int kStallLines = 3;     // lines without progress before a step back
    static constexpr double kGoodRate = 0.05; // accuracy of 95 %
    static constexpr double kGoodPace = 1.2;  // within 20 % of the median time
    static constexpr int kRestLines = 6;      // a character stepped back waits that long
    // A character missed that often is reviewed even at a low rate, as long
    // as the misses make this share of its keys: two g missed in 49 keys
    // are worth a line, two in a thousand are not.
    static constexpr int kFewMisses = 2;
    static constexpr double kNoticedRate = 0.02;

    // The history: totals per character and the confusions. keepSteps: the
    // characters that stepped back or left the focus in the lines followed
    // so far stay where they are (the same review goes on).
    void setHistory(const QList<KeyStat> &keys, const QList<Confusion> &confusions, bool keepSteps = false);
    // Whether the learner's keyboard can give a character, itself or in a
    // plain spelling the drills accept; a character it cannot give is
    // never drilled (nor is a control character, whatever the journal holds).
    void setTypable(std::function<bool(QChar)> typable) { m_typable = std::move(typable); }
    bool hasHistory() const { return !m_stats.isEmpty(); }

    // Three or four characters, weakest first; empty when nothing is weak.
    const QStringList &focus() const { return m_focus; }
    // Characters typed well enough to leave alone.
    QStringList goodCharacters() const;
    // The character most often pressed for `key`, or empty.
    QString partner(const QString &key) const { return m_partners.value(key); }

    // One review line typed: the counts per expected character.
    void lineDone(const QMap<QString, KeyStat> &line);

    // Score of a character: error rate plus a share of its slowness.
    double score(const QString &key) const;
    bool isGood(const QString &key) const;
    // Missed a few times, at a rate worth noticing.
    bool missedOften(const QString &key) const;
    double medianMs() const;

private:
    struct Track
    {
        double bestRate = 1;
        double bestMs = 0;
        int stalled = 0;
        KeyStat since; // what was typed since it came forward
    };
    void chooseFocus();

    QMap<QString, KeyStat> m_stats;
    QMap<QString, QString> m_partners;
    QMap<QString, Track> m_tracks;
    QMap<QString, int> m_resting; // lines left before it may come back
    QSet<QString> m_left;         // left the focus for good in this review
    QStringList m_focus;
    std::function<bool(QChar)> m_typable;
};

} // namespace progress
