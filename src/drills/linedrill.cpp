// Keystroke judging of the typing drills.
#include "drills/linedrill.h"

#include "ui/cp1252.h"
#include "ui/int32.h"

namespace drills {

void LineDrill::setModel(int line, const QString &text)
{
    m_models[line] = text;
}

void LineDrill::setTyped(int line, const QString &text)
{
    m_typed[line] = text;
}

void LineDrill::clearTyped()
{
    for (QString &t : m_typed)
        t.clear();
}

void LineDrill::resetCounts()
{
    m_good = 0;
    m_errors = 0;
}

void LineDrill::enter(int line)
{
    for (int i = 0; i < LineCount; ++i) {
        if (i != line)
            m_highlight[i].length = 0;
    }
    m_typed[line].clear();
    m_highlight[line] = {0, 1};
    m_active = line;
}

void LineDrill::restart()
{
    clearTyped();
    enter(0);
}

Verdict LineDrill::judge(int line, int caret, quint8 code)
{
    Verdict v;
    const QString &model = m_models[line];
    // Nothing is expected at or past the end of the model, and no control
    // character (Backspace, Enter, Escape, Ctrl+V...) is ever in a model.
    const bool expected = caret >= 0 && caret < model.size() && ui::unicodeToCp1252(model.at(caret)) == code;
    if (!expected) {
        m_errors = ui::add32(m_errors, 1);
        return v;
    }
    v.accepted = true;
    v.insert = true;
    m_good = ui::add32(m_good, 1);

    QString &typed = m_typed[line];
    const qsizetype before = typed.size();
    typed.insert(qMin<qsizetype>(caret, before), model.at(caret));
    m_highlight[line] = {std::int32_t(before + 1), 1};
    if (before >= model.size() - 1) {
        v.completed = true;
        if (line + 1 < LineCount) {
            enter(line + 1);
            v.focusLine = line + 1;
        }
    }
    return v;
}

} // namespace drills
