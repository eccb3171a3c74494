#include "clock.h"

QDateTime SystemClock::now() const
{
    return utcNow().toLocalTime();
}

QDateTime SystemClock::utcNow() const
{
    // Whole seconds, cut from the count since the epoch, so that the hour a change of daylight
    // saving time repeats keeps its own offset.
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    return QDateTime::fromMSecsSinceEpoch(msecs - msecs % 1000, Qt::UTC);
}

int SystemClock::msecsToNextSecond() const
{
    // A little after the second, so that a timer that fires a little early still finds it. Time
    // zones move the clock by whole minutes, so the local second turns with the epoch's.
    constexpr int kAfterSecond = 2;
    return 1000 - int(QDateTime::currentMSecsSinceEpoch() % 1000) + kAfterSecond;
}
