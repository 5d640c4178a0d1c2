// Session accounting without widgets.
#include "progress/sessiontally.h"

#include "ui/int32.h"

namespace progress {

double SessionRecord::speed() const
{
    if (seconds > 0)
        return good * 60.0 / seconds;
    if (typingMs >= 1000)
        return good * 60000.0 / typingMs;
    return 0;
}

qint64 SessionRecord::durationSeconds() const
{
    return seconds > 0 ? seconds : typingMs / 1000;
}

double SessionRecord::errorPercent() const
{
    const double all = double(good) + double(errors);
    return all > 0 ? errors * 100.0 / all : 0;
}

void SessionTally::begin(int module, std::int32_t lesson, const QDateTime &now)
{
    m_record = SessionRecord{};
    m_record.module = module;
    m_record.lesson = lesson;
    m_record.start = now;
    m_record.completed = false;
    m_firstKeyMs = -1;
    m_lastKeyMs = -1;
    m_running = true;
}

void SessionTally::judged(std::int32_t good, std::int32_t errors, qint64 nowMs)
{
    if (!m_running || (good <= 0 && errors <= 0))
        return;
    m_record.good = ui::add32(m_record.good, qMax(good, 0));
    m_record.errors = ui::add32(m_record.errors, qMax(errors, 0));
    if (m_firstKeyMs < 0)
        m_firstKeyMs = nowMs;
    m_record.typingMs = nowMs - m_firstKeyMs;
}

void SessionTally::observeKey(const QString &expected, bool right, qint64 nowMs, const QString &pressed)
{
    if (!m_running || expected.isEmpty())
        return;
    // A longer wait is a pause, not the time the key took.
    constexpr qint64 kPauseMs = 5000;
    KeyCount &count = m_record.keys[expected];
    if (right) {
        count.typed = ui::add32(count.typed, 1);
        if (m_lastKeyMs >= 0 && nowMs >= m_lastKeyMs && nowMs - m_lastKeyMs <= kPauseMs) {
            count.ms += nowMs - m_lastKeyMs;
            count.timed = ui::add32(count.timed, 1);
        }
    } else {
        count.missed = ui::add32(count.missed, 1);
        if (!pressed.isEmpty() && pressed != expected) {
            std::int32_t &times = m_record.confusions[{expected, pressed}];
            times = ui::add32(times, 1);
        }
    }
    if (nowMs >= 0)
        m_lastKeyMs = nowMs;
}

std::optional<SessionRecord> SessionTally::finish(const QDateTime &now, std::int32_t seconds)
{
    if (!m_running)
        return std::nullopt;
    m_running = false;
    if (!hasKeys())
        return std::nullopt;
    m_record.end = now;
    m_record.seconds = qMax(seconds, 0);
    return m_record;
}

} // namespace progress
