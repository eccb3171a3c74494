#include "clock.h"

QDateTime SystemClock::now() const
{
    // Whole seconds, cut from the count since the epoch: one look at the time zone, and the
    // hour a change of daylight saving time repeats keeps its own offset.
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    return QDateTime::fromMSecsSinceEpoch(msecs - msecs % 1000);
}

int SystemClock::msecsToNextSecond() const
{
    // A little after the second, so that a timer that fires a little early still finds it.
    constexpr int kAfterSecond = 2;
    return 1000 - QTime::currentTime().msec() + kAfterSecond;
}
