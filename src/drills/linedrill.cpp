// Keystroke judging of the typing drills.
#include "drills/linedrill.h"

#include "keymodel/keymodel.h"

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
    m_active = line;
    m_partial.clear();
    m_passed.clear();
    m_highlight[line] = {std::int32_t(passUntypable(line, 0, 0)), 1};
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
    if (line != m_active)
        m_partial.clear();
    // An equivalent under way stands in the typing line before the caret.
    const qsizetype at = caret - m_partial.size();
    // Nothing is expected at or past the end of the model, and no control
    // character (Backspace, Enter, Escape, Ctrl+V...) is ever in a model.
    if (at < 0 || at >= model.size()) {
        m_errors = ui::add32(m_errors, 1);
        return v;
    }
    const QChar wanted = model.at(at);
    if (m_partial.isEmpty() && ui::unicodeToCp1252(wanted) == code)
        return acceptModelCharacter(line, at, 0);

    const QString plain = acceptance(wanted).standIn;
    if (m_partial.size() < plain.size() && plain.at(m_partial.size()) == ui::cp1252ToUnicode(code)) {
        m_partial += plain.at(m_partial.size());
        m_passed.clear();
        if (m_partial.size() == plain.size()) {
            const qsizetype replaced = m_partial.size() - 1;
            m_partial.clear();
            v = acceptModelCharacter(line, at, replaced);
            v.insert = false; // the typing line takes the model character from the drill
            return v;
        }
        m_typed[line].insert(qMin(caret, int(m_typed[line].size())), m_partial.back());
        v.partial = true;
        return v;
    }
    m_errors = ui::add32(m_errors, 1);
    return v;
}

// The model character at `at` is typed right: it goes into the typing line
// in place of the `replaced` characters of an equivalent typed before it.
Verdict LineDrill::acceptModelCharacter(int line, qsizetype at, qsizetype replaced)
{
    Verdict v;
    const QString &model = m_models[line];
    v.accepted = true;
    v.insert = true;
    m_good = ui::add32(m_good, 1);

    QString &typed = m_typed[line];
    const qsizetype where = qMin<qsizetype>(at, typed.size() - replaced);
    typed.remove(where, replaced);
    const qsizetype before = typed.size();
    typed.insert(where, model.at(at));
    m_passed.clear();
    const qsizetype passed = passUntypable(line, at + 1, where + 1);
    if (passed > 0)
        v.insert = false; // the typing line takes the characters from the drill
    m_highlight[line] = {std::int32_t(before + 1 + passed), 1};
    if (before + passed >= model.size() - 1) {
        v.completed = true;
        if (line + 1 < LineCount) {
            enter(line + 1);
            v.focusLine = line + 1;
        }
    }
    return v;
}

keyboard::Acceptance LineDrill::acceptance(QChar c) const
{
    if (m_acceptance)
        return m_acceptance(c);
    keyboard::Acceptance exact;
    exact.typable = true;
    return exact;
}

qsizetype LineDrill::passUntypable(int line, qsizetype at, qsizetype where)
{
    const QString &model = m_models[line];
    qsizetype n = 0;
    while (m_acceptance && at + n < model.size() && acceptance(model.at(at + n)).skipped()) {
        m_typed[line].insert(where + n, model.at(at + n));
        m_passed += model.at(at + n);
        ++n;
    }
    return n;
}

} // namespace drills
