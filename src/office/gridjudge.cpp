// Spreadsheet judging: recorded cell, move-allowed answer, counts, buffer.
#include "office/gridjudge.h"

#include "ui/int32.h"
#include "ui/keycodes.h"

namespace office {

void GridJudge::startLesson()
{
    m_good = 0;
    m_errors = 0;
    m_recorded = {1, 1};
    m_moveAllowed = true;
}

bool GridJudge::isJudgingKey(int vk)
{
    switch (vk) {
    case ui::vk::Tab:
    case ui::vk::Left:
    case ui::vk::Up:
    case ui::vk::Right:
    case ui::vk::Down:
    case ui::vk::Home:
    case ui::vk::End: return true;
    default: return false;
    }
}

GridJudge::Verdict GridJudge::keyEvent(int vk, GridCell current, const QString &typed, const QString &model)
{
    m_recorded = current;
    m_moveAllowed = true;
    if (typed.isEmpty() || !isJudgingKey(vk))
        return Verdict::NotJudged;
    // Exact text: case, accents and spaces all count.
    if (typed == model) {
        m_good = ui::add32(m_good, static_cast<std::int32_t>(typed.size()));
        return Verdict::Good;
    }
    m_errors = ui::add32(m_errors, 1);
    m_moveAllowed = false;
    return Verdict::Wrong;
}

bool GridJudge::isDataCell(GridCell cell)
{
    return cell.col >= 1 && cell.col <= kColumns && cell.row >= 1 && cell.row <= kRows;
}

QString GridJudge::cut(const QString &cellText)
{
    m_buffer = cellText;
    return QString();
}

} // namespace office
