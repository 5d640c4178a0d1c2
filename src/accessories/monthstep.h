// The calendar's month arithmetic: stepping a month keeping the day number
// (cut to the month's length), the heading, and the Sunday-first month grid.
#pragma once
#include <QDate>
#include <QLocale>
#include <QString>

class MonthStep final
{
public:
    static QDate next(const QDate &date) { return shifted(date, 1); }
    static QDate previous(const QDate &date) { return shifted(date, -1); }
    // The date moved by whole months, its day reduced to the last day of a
    // shorter target month.
    static QDate shifted(const QDate &date, int months);

    // The full month name, two blanks and the four-digit year.
    static QString heading(const QDate &date, const QLocale &locale = QLocale());

    // The day shown at week row 0..5 and column 0..6 (Sunday first) of the
    // date's month; 0 for a cell outside the month.
    static int dayAt(const QDate &date, int row, int column);
    // The week row and column of the date in its month's grid.
    static int rowOf(const QDate &date);
    static int columnOf(const QDate &date) { return date.dayOfWeek() % 7; }
};
