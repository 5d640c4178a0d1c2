// The start offer.
#include "guide/startoffer.h"

#include "progress/objective.h"

#include <QLocale>

namespace guide {

QString frenchDay(const QDate &day, const QDate &today)
{
    const QLocale french(QLocale::French, QLocale::France);
    // French writes the first of the month as an ordinal.
    const QString number = day.day() == 1 ? QStringLiteral("1er") : QString::number(day.day());
    QString text = number + QLatin1Char(' ') + french.monthName(day.month(), QLocale::LongFormat);
    if (day.year() != today.year())
        text += QLatin1Char(' ') + QString::number(day.year());
    return text;
}

StartOffer startOffer(const QList<progress::SessionRecord> *sessions, const QDate &today,
                      const std::function<QString(const progress::SessionRecord &)> &lessonName)
{
    StartOffer offer;
    if (!sessions)
        return offer;
    if (sessions->isEmpty()) {
        offer.kind = StartOffer::Kind::FirstRun;
        return offer;
    }
    const progress::SessionRecord *last = &sessions->first();
    for (const progress::SessionRecord &s : *sessions)
        if (s.start > last->start)
            last = &s;
    offer.kind = StartOffer::Kind::Resume;
    offer.module = last->module;
    offer.lesson = last->lesson;
    const QDate day = (last->end.isValid() ? last->end : last->start).toLocalTime().date();
    offer.text =
        QStringLiteral("Reprendre\u00a0: %1 — dernière séance le %2, %3\u00a0%")
            .arg(lessonName(*last), frenchDay(day, today), QString::number(progress::accuracyPercent(*last)));
    return offer;
}

} // namespace guide
