// Setting the system clock, for the clock accessory. The default asks
// systemd-timedated over the system bus (the desktop then asks for the
// administrator's password) and falls back to clock_settime. Tests install
// a fake: nothing else may change the machine's clock.
#pragma once
#include <QDateTime>
#include <QString>

#include <memory>

namespace ui {

class ClockSetter
{
public:
    virtual ~ClockSetter() = default;
    // Sets the system clock to a local date and time; returns an empty text
    // on success, else why the clock was not changed, in French.
    virtual QString setLocalTime(const QDateTime &local) = 0;
};

class SystemClockSetter final : public ClockSetter
{
public:
    QString setLocalTime(const QDateTime &local) override;
};

ClockSetter &clockSetter();
// Replaces the setter (tests); returns the previous one.
std::unique_ptr<ClockSetter> setClockSetter(std::unique_ptr<ClockSetter> setter);

} // namespace ui
