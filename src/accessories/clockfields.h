// The clock's editable fields, read and written in place in the two display
// texts: the time "hh:mm:ss" and the date "dd/mm/yyyy".
#pragma once
#include <QDateTime>
#include <QString>

enum class ClockField { Hour, Minute, Day, Month, Year };

class ClockFields final
{
public:
    // The display texts of a moment.
    static QString timeText(const QTime &time);
    static QString dateText(const QDate &date);

    struct Step
    {
        QString text;  // the display text with the field changed
        QString error; // the conversion error; text is then unchanged
    };
    // Moves one field of its display text (the time for Hour and Minute,
    // the date for the others) by delta, held within the field's bounds
    // without wrapping or carrying into the next field.
    static Step step(const QString &text, ClockField field, int delta);

    struct Reading
    {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        QString error; // the conversion error of the first bad field
    };
    // Every field of the two texts, as the clock would be set to them.
    static Reading read(const QString &time, const QString &date);

    static bool isDateField(ClockField field) { return field >= ClockField::Day; }
    static int minimum(ClockField field);
    static int maximum(ClockField field);
};
