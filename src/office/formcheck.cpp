// Data-entry checking: field exits, record steps, counts.
#include "office/formcheck.h"

#include "ui/int32.h"
#include "ui/keycodes.h"

namespace office {

void FormCheck::startLesson()
{
    m_record = 1;
    m_recordCount = 1;
    m_good = 0;
    m_errors = 0;
}

FormCheck::Exit FormCheck::fieldExit(int row, const QString &entry, const QString &model)
{
    if (entry.isEmpty())
        return Exit::Leave;
    // Exact text: case, accents and spaces all count.
    if (entry != model) {
        m_errors = ui::add32(m_errors, 1);
        return Exit::StayHere;
    }
    m_good = ui::add32(m_good, static_cast<std::int32_t>(entry.size()));
    return row == kFields ? Exit::GoToFirst : Exit::Leave;
}

bool FormCheck::recordKey(int vk, const QString &lastEntry, const QString &lastModel)
{
    if (lastEntry != lastModel)
        return false;
    if (vk == ui::vk::Next)
        m_record = ui::add32(m_record, 1);
    else if (vk == ui::vk::Prior)
        m_record = ui::add32(m_record, -1);
    else
        return false;
    if (m_record < 1)
        m_record = 1;
    if (m_record > m_recordCount)
        m_record = m_recordCount;
    m_good = ui::add32(m_good, static_cast<std::int32_t>(lastEntry.size()));
    return true;
}

} // namespace office
