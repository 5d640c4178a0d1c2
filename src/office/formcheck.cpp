// Data-entry checking: field exits, record steps, counts; window places.
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

WindowPlace spreadsheetPlaceAfterResize(WindowPlace place)
{
    if (place.top > 100)
        place.top = 20;
    if (place.top < 0)
        place.top = 0;
    if (place.left > 100)
        place.left = 20;
    return place;
}

WindowPlace entryFormPlaceOnShow(WindowPlace place)
{
    if (place.top > 50)
        place.top = 50;
    if (place.top < 0)
        place.top = 0;
    if (place.left > 100)
        place.left = 80;
    return place;
}

QString placeCaption(WindowPlace place)
{
    return QStringLiteral("%1     %2").arg(place.top).arg(place.left);
}

} // namespace office
