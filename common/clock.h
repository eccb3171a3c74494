#pragma once

#include <QDateTime>

// Where every program reads "now". Tests hand in a clock they set and advance.
class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time, to the whole second.
    virtual QDateTime now() const = 0;
    // The same moment in UTC, for counting what shows no local time: reading the system's needs
    // no look at the time zone.
    virtual QDateTime utcNow() const { return now().toUTC(); }
    // How long until just after now() next changes: a window that ticks then, rather than at a
    // fixed interval, changes each second's texts in one pass and sleeps in between. A clock
    // that is set by hand moves on a whole second at a time.
    virtual int msecsToNextSecond() const { return 1000; }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    QDateTime utcNow() const override;
    int msecsToNextSecond() const override;
};
