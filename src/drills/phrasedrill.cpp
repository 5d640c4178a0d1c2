// Page logic of the phrase drills.
#include "drills/phrasedrill.h"

#include "drills/phrasetexts.h"
#include "ui/int32.h"

namespace drills {

void PhraseDrill::start(std::int32_t code)
{
    m_category = code;
    m_lines.resetCounts();
    m_page = 1;
    load(code);
    m_lines.restart();
}

void PhraseDrill::load(std::int32_t code)
{
    const PhraseCategory *category = phraseCategory(code);
    if (!category || m_page < 1 || m_page > PageCount)
        return;
    m_title = QString::fromUtf8(category->title);
    for (int i = 0; i < LineDrill::LineCount; ++i)
        m_lines.setModel(i, QString::fromUtf8(category->pages[m_page - 1].phrases[i]));
}

Verdict PhraseDrill::judge(int line, int caret, quint8 code)
{
    Verdict v = m_lines.judge(line, caret, code);
    if (!v.completed || line != LineDrill::LineCount - 1)
        return v;
    // The page turn: back to the first line, the last pair emptied, the
    // next page loaded. The completing key counts but goes nowhere, and the
    // new page starts with all three typing lines empty.
    m_lines.setModel(2, QString());
    m_lines.clearTyped();
    m_page = ui::add32(m_page, 1);
    load(m_category);
    m_lines.enter(0);
    v.insert = false;
    v.focusLine = 0;
    return v;
}

} // namespace drills
