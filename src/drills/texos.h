// TExos: the eighteen key-group exercises and the personal review (module
// code 2).
#pragma once
#include "drills/drillwindow.h"
#include "drills/review.h"

class TExos final : public DrillWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExos)
public:
    static constexpr std::int32_t kReviewCode = 25;
    static constexpr int kReviewSessions = 20; // the history a review reads

    explicit TExos(QWidget *parent = nullptr);

    // Loads exercise 1..18, or makes a review from the journal for
    // kReviewCode (other codes keep the texts), and starts afresh; the
    // chronometer stops.
    void SetIni(std::int32_t code) override;

    const drills::LineDrill &lines() const { return m_drill; }
    const drills::Review &review() const { return m_review; }

protected:
    drills::LineDrill &drill() override { return m_drill; }
    drills::Verdict judge(int line, int caret, quint8 key) override;

private:
    void startReview();

    drills::LineDrill m_drill;
    drills::Review m_review;
    bool m_reviewing = false;
    bool m_reviewed = false; // a review ran before in this window
    QMap<QString, progress::KeyStat> m_lineCounts;
    qint64 m_lastKeyMs = -1;
};
