// One lesson session counted in memory: from the lesson's start to the next
// start in the same window or the end of the run. The window tells each of
// its judgements as it makes it; nothing here touches a file.
#pragma once
#include <QDateTime>
#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>

namespace progress {

// How often a character (or, in the key drill, a key's name) was asked for
// and typed right, or missed.
struct KeyCount
{
    std::int32_t typed = 0;
    std::int32_t missed = 0;
    qint64 ms = 0;          // time from the previous judged key, summed over the right ones
    std::int32_t timed = 0; // right keys whose time is in ms
    friend bool operator==(const KeyCount &, const KeyCount &) = default;
};

struct SessionRecord
{
    QDateTime start;
    QDateTime end;
    int module = 0;           // 1 keyboard .. 7 data entry, as the lesson file writes it
    std::int32_t lesson = 0;  // the window's lesson code
    std::int32_t good = 0;    // keystrokes counted good in the session
    std::int32_t errors = 0;  // errors counted in the session
    std::int32_t seconds = 0; // chronometer seconds, 0 when it did not run
    qint64 typingMs = 0;      // from the first judged key to the last
    QString title;            // the learner's own text: its file's name
    // The lesson was typed to its end (an exercise's last line, a page, a
    // text); unknown for the sessions of older journals.
    std::optional<bool> completed;
    // Given when the session is first written; it follows a copy of it.
    QString uuid;
    QMap<QString, KeyCount> keys;
    // (expected, pressed instead) and how often.
    QMap<std::pair<QString, QString>, std::int32_t> confusions;

    std::int32_t total() const { return good + errors; }
    // Keystrokes per minute: by the chronometer when it ran, otherwise by
    // the time spent typing; 0 when neither says anything.
    double speed() const;
    // Seconds shown as the session's duration.
    qint64 durationSeconds() const;
    // Error percentage over all keystrokes (0 without keystrokes).
    double errorPercent() const;
};

class SessionTally final
{
public:
    void begin(int module, std::int32_t lesson, const QDateTime &now);

    // One judgement of the lesson (a key, a line, a cell, a letter lost):
    // the keystrokes it counted good and the errors it counted. Counted as
    // told, whatever the window's own counters do meanwhile (they go back to
    // 0 at a new lesson or when the window is shown again). nowMs is the time
    // in milliseconds since the epoch (cheap to read on every key, unlike the
    // local date and time).
    void judged(std::int32_t good, std::int32_t errors, qint64 nowMs);
    // An expected character typed right or missed; nowMs as for judged,
    // pressed the character typed instead of a missed one (when known).
    void observeKey(const QString &expected, bool right, qint64 nowMs = -1, const QString &pressed = {});
    // Names what the session typed when the lesson code alone does not.
    void setTitle(const QString &title) { m_record.title = title; }
    // The lesson's last character was typed.
    void complete()
    {
        if (m_running)
            m_record.completed = true;
    }

    bool running() const { return m_running; }
    bool hasKeys() const { return m_record.total() > 0; }
    const SessionRecord &current() const { return m_record; }

    // Ends the session; the record when it holds at least one judged key.
    std::optional<SessionRecord> finish(const QDateTime &now, std::int32_t seconds);

private:
    SessionRecord m_record;
    qint64 m_firstKeyMs = -1;
    qint64 m_lastKeyMs = -1;
    bool m_running = false;
};

} // namespace progress
