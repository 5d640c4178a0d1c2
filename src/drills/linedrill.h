// The judging of the typing drills, without widgets: three model lines, each
// copied into a typing line character by character. A key is right when it is
// the model character at the caret; right keys go in and move the highlight,
// wrong keys are refused and counted as errors.
#pragma once
#include "keymodel/keymodel.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace drills {

// The highlighted part of a model line: the next character to type.
struct Highlight
{
    std::int32_t start = 0;
    std::int32_t length = 0;
    friend bool operator==(const Highlight &, const Highlight &) = default;
};

// What the window does with a judged key.
struct Verdict
{
    bool accepted = false;  // counted as good (otherwise as an error)
    bool insert = false;    // the character goes into the typing line
    bool completed = false; // this key completed its line
    int focusLine = -1;     // typing line that takes the focus, or -1
    // A key of a plain equivalent still under way ("o" of "oe" for "œ"): it
    // shows in the typing line but counts neither way yet.
    bool partial = false;
};

class LineDrill
{
public:
    static constexpr int LineCount = 3;

    void setModel(int line, const QString &text);
    const QString &model(int line) const { return m_models[line]; }

    // The typing lines. The window hands in the text of a typing line before
    // a key is judged; the drill keeps accepted characters where they go.
    void setTyped(int line, const QString &text);
    const QString &typed(int line) const { return m_typed[line]; }
    void clearTyped();

    Highlight highlight(int line) const { return m_highlight[line]; }
    void setHighlight(int line, Highlight h) { m_highlight[line] = h; }

    std::int32_t good() const { return m_good; }
    std::int32_t errors() const { return m_errors; }
    void resetCounts();
    void clearErrors() { m_errors = 0; }

    // What the learner's layout gives for a model character. Its stand-in
    // ("oe" for "œ") is right too: the typing line shows it as typed until
    // it is whole, then as the model character, and the whole stand-in
    // counts one good key. A character the learner cannot type at all is
    // put into the typing line by the drill, counted neither way. By default
    // only the exact character is right.
    void setAcceptance(std::function<keyboard::Acceptance(QChar)> acceptance)
    {
        m_acceptance = std::move(acceptance);
    }
    // How much of the expected character's stand-in is typed ("o" of "oe").
    int standInTyped() const { return int(m_partial.size()); }
    // The characters the drill put in by itself after the last key or
    // entry, just before the one now expected.
    const QString &passed() const { return m_passed; }

    // The typing line that last took the focus (-1 before any).
    int activeLine() const { return m_active; }

    // Entering typing line k: the other model lines lose their highlight, the
    // typing line is emptied and its model's first character highlighted.
    // The counts are kept.
    void enter(int line);

    // A fresh start of the current texts: typing lines emptied, the first
    // line entered and its first character highlighted.
    void restart();

    // Judges the character (Windows-1252 code) typed in typing line `line`
    // with the caret at offset `caret`. Completing line 0 or 1 enters the
    // next line; completing the last line does nothing more.
    Verdict judge(int line, int caret, quint8 code);

private:
    Verdict acceptModelCharacter(int line, qsizetype at, qsizetype replaced);
    keyboard::Acceptance acceptance(QChar c) const;
    // Puts the untypable characters from `at` into the typing line at
    // `where`; returns how many.
    qsizetype passUntypable(int line, qsizetype at, qsizetype where);

    std::array<QString, LineCount> m_models;
    std::array<QString, LineCount> m_typed;
    std::array<Highlight, LineCount> m_highlight;
    std::int32_t m_good = 0;
    std::int32_t m_errors = 0;
    int m_active = -1;
    std::function<keyboard::Acceptance(QChar)> m_acceptance;
    QString m_partial; // the stand-in typed so far, in the active line
    QString m_passed;
};

} // namespace drills
