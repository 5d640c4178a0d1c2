// The phrase drills' page logic on top of the line judging: a category's
// phrases come three at a time, and completing the third line turns the page.
#pragma once
#include "drills/linedrill.h"

namespace drills {

class PhraseDrill
{
public:
    LineDrill &lines() { return m_lines; }
    const LineDrill &lines() const { return m_lines; }

    std::int32_t category() const { return m_category; }
    std::int32_t page() const { return m_page; }
    // The title of the loaded category (the window's instruction line).
    const QString &title() const { return m_title; }

    // Starts category `code` at page 1 with zero counts. Codes outside 1..6
    // load nothing and keep the texts of the previous category.
    void start(std::int32_t code);

    // Loads the title and the three phrases of the current page of category
    // `code`; pages other than 1 and 2 and unknown codes change nothing.
    void load(std::int32_t code);

    // As LineDrill::judge; completing the third line turns the page instead
    // of inserting the completing character.
    Verdict judge(int line, int caret, quint8 code);

private:
    LineDrill m_lines;
    QString m_title;
    std::int32_t m_category = 0;
    std::int32_t m_page = 1;
};

} // namespace drills
