// Judging of the spreadsheet lesson, apart from the grids: the cell recorded
// by the key handler, the answer given when the typing grid asks whether its
// current cell may move, the counts, and the one-cell buffer of cut, copy
// and paste.
#pragma once
#include <QString>

#include <cstdint>

namespace office {

// A cell as the headings name it: column 1 is "A", row 1 is "1"; column 0
// and row 0 are the heading column and row.
struct GridCell
{
    int col = 0;
    int row = 0;
    friend bool operator==(GridCell, GridCell) = default;
};

class GridJudge final
{
public:
    enum class Verdict { NotJudged, Good, Wrong };

    static constexpr int kColumns = 9;
    static constexpr int kRows = 9;

    // A new lesson: counts at zero, recorded cell A1, moves allowed. The
    // cell buffer is kept.
    void startLesson();

    // One key-down or key-up event of the typing grid (virtual-key code),
    // with its current cell, the text typed there so far and the model's
    // text at that cell. The cell is recorded and moves are allowed again;
    // Tab, the arrows, Home and End then judge a non-empty cell: a match counts its
    // length as good, a mismatch counts an error and refuses the move.
    Verdict keyEvent(int vk, GridCell current, const QString &typed, const QString &model);

    // The answer to "may the typing grid's current cell move?".
    bool moveAllowed() const { return m_moveAllowed; }
    GridCell recorded() const { return m_recorded; }

    std::int32_t good() const { return m_good; }
    std::int32_t errors() const { return m_errors; }
    void resetErrors() { m_errors = 0; }

    // Cell operations on the recorded cell's text; they return the cell's
    // new text. Heading cells are never written (cut and paste leave them).
    static bool isDataCell(GridCell cell);
    void copy(const QString &cellText) { m_buffer = cellText; }
    QString cut(const QString &cellText);
    QString paste() const { return m_buffer; }
    QString buffer() const { return m_buffer; }

    static bool isJudgingKey(int vk);

private:
    GridCell m_recorded{1, 1};
    bool m_moveAllowed = false;
    std::int32_t m_good = 0;
    std::int32_t m_errors = 0;
    QString m_buffer;
};

} // namespace office
