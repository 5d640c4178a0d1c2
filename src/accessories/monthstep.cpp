// Month stepping and the month grid.
#include "accessories/monthstep.h"

#include <algorithm>

QDate MonthStep::shifted(const QDate &date, int months)
{
    const int index = date.year() * 12 + (date.month() - 1) + months;
    const int year = index / 12;
    const int month = index % 12 + 1;
    const int day = std::min(date.day(), QDate(year, month, 1).daysInMonth());
    return QDate(year, month, day);
}

QString MonthStep::heading(const QDate &date, const QLocale &locale)
{
    return locale.standaloneMonthName(date.month(), QLocale::LongFormat) + QStringLiteral("  ") +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

namespace {
// The column of the 1st of the date's month.
int firstColumn(const QDate &date)
{
    return QDate(date.year(), date.month(), 1).dayOfWeek() % 7;
}
} // namespace

int MonthStep::dayAt(const QDate &date, int row, int column)
{
    const int day = row * 7 + column - firstColumn(date) + 1;
    return (day >= 1 && day <= date.daysInMonth()) ? day : 0;
}

int MonthStep::rowOf(const QDate &date)
{
    return (date.day() - 1 + firstColumn(date)) / 7;
}
