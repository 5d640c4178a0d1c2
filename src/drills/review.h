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
    // The characters the exercises have taught so far (all, when empty):
    // the words are made of them only, and a character no word of them
    // holds is drilled in short groups, as the exercises begin.
    void setTaught(const QString &characters);
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
    QString groupToken(QChar letter = QChar()); // letters alone: "fgf", "gh"
    bool usable(const QString &word) const;
    QString signToken(QChar sign); // a sign in a French context: « mot », 25 %, l'été
    QString commonWord();
    QString number(int low, int high);
    int skewed(qsizetype size); // an index favouring the front

    void index();

    QStringList m_words;  // most frequent first
    QList<int> m_usable;  // of them, those made of taught characters
    QSet<QChar> m_taught; // empty: every character
    QHash<QString, int> m_known;
    QHash<QChar, QList<int>> m_holding;  // usable words holding a letter
    QHash<QChar, QList<int>> m_starting; // usable words starting with it
    QSet<QChar> m_weak;                  // the focus, in lowercase
    QSet<QString> m_used;                // the words of the line being made
    progress::ReviewFocus m_focus;
    QRandomGenerator m_random;
    int m_turn = 0;
};

// What the exercises passed so far have taught: the home row and the space
// from the start, then the characters of each passed exercise's first line
// (the one that drills its keys), with the circumflexed vowels once the
// dead key ^ is taught.
QString taughtCharacters(const QList<std::int32_t> &passedExercises);

} // namespace drills
