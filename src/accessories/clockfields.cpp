// Field positions and bounds of the clock's display texts.
#include "accessories/clockfields.h"

#include <algorithm>

namespace {

struct Place
{
    int start, width, low, high;
};

Place placeOf(ClockField field)
{
    switch (field) {
    case ClockField::Hour: return {0, 2, 0, 23};
    case ClockField::Minute: return {3, 2, 0, 59};
    case ClockField::Day: return {0, 2, 1, 31};
    case ClockField::Month: return {3, 2, 1, 12};
    case ClockField::Year: return {6, 4, 1900, 2099};
    }
    return {0, 2, 0, 0};
}

QString conversionError(const QString &chars)
{
    return QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(chars);
}

// The decimal integer at [start, start + width) of text.
bool readInt(const QString &text, int start, int width, int *value, QString *error)
{
    const QString chars = text.mid(start, width);
    bool ok = false;
    const int v = chars.trimmed().toInt(&ok, 10);
    if (!ok) {
        *error = conversionError(chars);
        return false;
    }
    *value = v;
    return true;
}

} // namespace

QString ClockFields::timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString ClockFields::dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

int ClockFields::minimum(ClockField field)
{
    return placeOf(field).low;
}

int ClockFields::maximum(ClockField field)
{
    return placeOf(field).high;
}

ClockFields::Step ClockFields::step(const QString &text, ClockField field, int delta)
{
    const Place place = placeOf(field);
    Step result{text, {}};
    int value = 0;
    if (!readInt(text, place.start, place.width, &value, &result.error))
        return result;
    if (field == ClockField::Year && value < 100)
        value += 1900;
    value = std::clamp(value + delta, place.low, place.high);
    result.text.replace(place.start, place.width,
                        QStringLiteral("%1").arg(value, place.width, 10, QLatin1Char('0')));
    return result;
}

ClockFields::Reading ClockFields::read(const QString &time, const QString &date)
{
    Reading r;
    readInt(date, 6, 4, &r.year, &r.error) && readInt(date, 3, 2, &r.month, &r.error) &&
        readInt(date, 0, 2, &r.day, &r.error) && readInt(time, 0, 2, &r.hour, &r.error) &&
        readInt(time, 3, 2, &r.minute, &r.error) && readInt(time, 6, 2, &r.second, &r.error);
    return r;
}
