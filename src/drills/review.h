// The personal review: lines of real words made from the learner's weakest
// characters, without widgets. The same history and seed give the same lines.
#pragma once
#include "drills/reviewwords.h"
#include "progress/reviewfocus.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>

namespace drills {

class Review final
{
public:
    static constexpr int kLineLength = 60;        // fits the model line's box
    static constexpr double kFocusShare = 0.8;    // of the words, those that hold a focus character
    static constexpr double kPartnerShare = 0.15; // of those, the ones drilling the mistaken character
    static constexpr int kLineCount = 3;

    explicit Review(std::span<const ReviewWord> words = reviewWords());

    // Starts from the journal's figures; goOn: the learner comes back to the
    // review, whose steps back still hold.
    void start(const QList<progress::KeyStat> &keys, const QList<progress::Confusion> &confusions,
               quint32 seed, bool goOn = false);
    // The characters the learner's keyboard can give (all, when unset).
    void setTypable(std::function<bool(QChar)> typable) { m_focus.setTypable(std::move(typable)); }
    // One review line typed: the counts per expected character.
    void lineDone(const QMap<QString, progress::KeyStat> &line) { m_focus.lineDone(line); }

    const progress::ReviewFocus &focus() const { return m_focus; }
    // The instruction line naming the focus.
    QString instruction() const;
    // The next line to copy.
    QString nextLine();

    // True when `word` (without capitals) is in the word list.
    bool knows(const QString &word) const { return m_known.contains(word); }

private:
    QString focusToken(const QString &key);
    QString goodToken(const QStringList &good);
    QString wordWith(QChar letter, bool first);
    QString homeRowToken();
    QString signToken(QChar sign); // a sign in a French context: « mot », 25 %, l'été
    QString commonWord();
    QString number(int low, int high);
    int skewed(qsizetype size); // an index favouring the front

    QStringList m_words; // most frequent first
    QHash<QString, int> m_known;
    QHash<QChar, QList<int>> m_holding;  // words holding a letter
    QHash<QChar, QList<int>> m_starting; // words starting with it
    QSet<QChar> m_weak;                  // the focus, in lowercase
    QSet<QString> m_used;                // the words of the line being made
    progress::ReviewFocus m_focus;
    QRandomGenerator m_random;
    int m_turn = 0;
};

} // namespace drills
