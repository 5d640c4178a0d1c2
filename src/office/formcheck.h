// Checking of the data-entry lesson, apart from the forms: what leaving an
// entry field does, the record number moved by Page Down and Page Up within
// the lesson's records, and the counts.
#pragma once
#include <QString>

#include <cstdint>

namespace office {

class FormCheck final
{
public:
    static constexpr int kFields = 5;

    // Where the focus goes when an entry field is left.
    enum class Exit {
        Leave,     // where it was going
        StayHere,  // back to the field: its text differs from the model
        GoToFirst, // to the first entry field: the last field is right
    };

    // A new lesson: record 1 of 1, counts at zero.
    void startLesson();
    // The lesson procedure tells how many records it has.
    void setRecordCount(std::int32_t count) { m_recordCount = count; }

    // The entry field of row 1..5 is left with entry while the model field of
    // that row shows model. An empty field always leaves; a match counts its
    // length as good, a refused field counts one error.
    Exit fieldExit(int row, const QString &entry, const QString &model);

    // A key-down in the last entry field (virtual-key code): Page Down and
    // Page Up step to the next or previous record, kept within 1 and the
    // record count, once the last field matches its model. Returns true when
    // the lesson must show the record (which empties the entry form); the
    // matching last field then counts as left right.
    bool recordKey(int vk, const QString &lastEntry, const QString &lastModel);

    std::int32_t recordNumber() const { return m_record; }
    std::int32_t recordCount() const { return m_recordCount; }
    std::int32_t good() const { return m_good; }
    std::int32_t errors() const { return m_errors; }
    void resetErrors() { m_errors = 0; }

private:
    std::int32_t m_record = 1;
    std::int32_t m_recordCount = 1;
    std::int32_t m_good = 0;
    std::int32_t m_errors = 0;
};

} // namespace office
