// TExos: the key-group exercises (module code 2): the eighteen of the lessons,
// six for the French characters they leave out, and the personal review
// made of the learner's weakest characters.
#pragma once
#include "drills/drillwindow.h"
#include "drills/review.h"
#include "progress/lessonfamily.h"

#include <memory>

class TExos final : public DrillWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExos)
public:
    static constexpr std::int32_t kReviewCode = progress::kReviewLesson;
    static constexpr int kReviewSessions = 20; // the history a review reads

    explicit TExos(QWidget *parent = nullptr);

    // Loads exercise 1..24, or makes a review from the journal for
    // kReviewCode (other codes keep the texts), and starts afresh; the
    // chronometer stops.
    void SetIni(std::int32_t code) override;

    const drills::LineDrill &lines() const { return m_drill; }
    // Built at the first review: its word index is not worth building at
    // start-up.
    const drills::Review &review() const { return reviewer(); }

protected:
    drills::LineDrill &drill() override { return m_drill; }
    drills::Verdict judge(int line, int caret, quint8 key) override;

private:
    static constexpr int kInstructionPixels = 17;
    static constexpr int kSmallestInstructionPixels = 10;
    static constexpr int kInstructionHeight = 24;
    void showInstruction(const QString &text);
    void startReview();

    drills::LineDrill m_drill;
    drills::Review &reviewer() const;

    mutable std::unique_ptr<drills::Review> m_review;
    bool m_reviewing = false;
    bool m_reviewed = false; // a review ran before in this window
    QMap<QString, progress::KeyStat> m_lineCounts;
    qint64 m_lastKeyMs = -1;
};
