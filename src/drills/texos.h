// TExos: the eighteen key-group exercises (module code 2).
#pragma once
#include "drills/drillwindow.h"

class TExos final : public DrillWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExos)
public:
    explicit TExos(QWidget *parent = nullptr);

    // Loads exercise 1..18 (other codes keep the texts) and starts afresh;
    // the chronometer stops.
    void SetIni(std::int32_t code) override;

    const drills::LineDrill &lines() const { return m_drill; }

protected:
    drills::LineDrill &drill() override { return m_drill; }

private:
    drills::LineDrill m_drill;
};
