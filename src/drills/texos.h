// TExos: the key-group exercises (module code 2): the eighteen of the lessons
// and six for the French characters they leave out.
#pragma once
#include "drills/drillwindow.h"

class TExos final : public DrillWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExos)
public:
    explicit TExos(QWidget *parent = nullptr);

    // Loads exercise 1..24 (other codes keep the texts) and starts afresh;
    // the chronometer stops.
    void SetIni(std::int32_t code) override;

    const drills::LineDrill &lines() const { return m_drill; }

protected:
    drills::LineDrill &drill() override { return m_drill; }

private:
    static constexpr int kInstructionPixels = 17;
    static constexpr int kSmallestInstructionPixels = 10;
    static constexpr int kInstructionHeight = 24;
    void showInstruction(const QString &text);

    drills::LineDrill m_drill;
};
