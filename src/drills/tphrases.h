// TPhrases: the phrase drills (module code 3).
#pragma once
#include "drills/drillwindow.h"
#include "drills/phrasedrill.h"

class TPhrases final : public DrillWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPhrases)
public:
    explicit TPhrases(QWidget *parent = nullptr);

    // Starts category 1..6 at page 1 (other codes keep the texts); the
    // chronometer stops.
    void SetIni(std::int32_t code) override;

    // Loaders of the six categories: the current page's title and phrases.
    void Maximes() { loadCategory(1); }
    void Citations() { loadCategory(2); }
    void Dictons() { loadCategory(3); }
    void Romans() { loadCategory(4); }
    void Films() { loadCategory(5); }
    void Proverbes() { loadCategory(6); }

    const drills::PhraseDrill &phrases() const { return m_drill; }

protected:
    drills::LineDrill &drill() override { return m_drill.lines(); }
    drills::Verdict judge(int line, int caret, quint8 key) override;
    // The first page turned to the second.
    bool nextPageInPlace() const override;

private:
    void loadCategory(std::int32_t code);
    void showTitle();

    drills::PhraseDrill m_drill;
};
