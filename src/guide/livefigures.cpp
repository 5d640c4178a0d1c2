// Live figures: the statistics window's own rule over the typing time.
#include "guide/livefigures.h"

#include "app/lesson/tstats.h"
#include "ui/int32.h"

namespace guide {

QString Figures::text() const
{
    const auto orDash = [](const QString &figure) { return figure.isEmpty() ? QStringLiteral("–") : figure; };
    return QStringLiteral("%1 frappes/min · %2 mots/min · %3\u00a0%")
        .arg(orDash(perMinute), orDash(wordsPerMinute),
             accuracy < 0 ? QStringLiteral("–") : QString::number(accuracy));
}

void LiveFigures::judged(std::int32_t good, std::int32_t errors, qint64 nowMs)
{
    if (good <= 0 && errors <= 0)
        return;
    m_good = ui::add32(m_good, qMax(good, 0));
    m_errors = ui::add32(m_errors, qMax(errors, 0));
    if (m_lastMs >= 0)
        m_activeMs += qBound<qint64>(0, nowMs - m_lastMs, kPauseMs);
    m_lastMs = nowMs;
}

qint64 LiveFigures::typingMs(qint64 nowMs) const
{
    if (m_lastMs < 0)
        return 0;
    return m_activeMs + qBound<qint64>(0, nowMs - m_lastMs, kPauseMs);
}

Figures LiveFigures::at(qint64 nowMs) const
{
    Figures f;
    f.good = m_good;
    f.errors = m_errors;
    f.seconds = std::int32_t(qMin<qint64>(typingMs(nowMs) / 1000, INT32_MAX));
    const StatFigures stats = StatFigures::compute(m_good, m_errors, f.seconds);
    f.perMinute = stats.perMinute;
    f.wordsPerMinute = stats.wordsPerMinute;
    const std::int32_t total = ui::add32(m_good, m_errors);
    if (total > 0)
        f.accuracy = int(qint64(m_good) * 100 / total);
    return f;
}

Figures sessionFigures(const progress::SessionRecord &session)
{
    Figures f;
    f.good = session.good;
    f.errors = session.errors;
    f.seconds = std::int32_t(qMin<qint64>(session.durationSeconds(), INT32_MAX));
    const double speed = session.speed();
    if (speed > 0) {
        f.perMinute = QString::number(qRound(speed));
        // Five keystrokes a word, as the statistics window counts them.
        f.wordsPerMinute = QString::number(qRound(speed / 5));
    }
    if (session.total() > 0)
        f.accuracy = progress::accuracyPercent(session);
    return f;
}

} // namespace guide
