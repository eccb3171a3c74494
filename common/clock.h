#pragma once

#include <QDateTime>

// Where every program reads "now". Tests hand in a clock they set and advance.
class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time, to the whole second.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};
