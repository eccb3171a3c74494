#include "clock.h"

namespace {

// Whole seconds, cut from the count since the epoch, so that the hour a change of daylight
// saving time repeats keeps its own offset.
qint64 wholeSecondMsecs()
{
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    return msecs - msecs % 1000;
}

} // namespace

QDateTime SystemClock::now() const
{
    return QDateTime::fromMSecsSinceEpoch(wholeSecondMsecs());
}

QDateTime SystemClock::utcNow() const
{
    return QDateTime::fromMSecsSinceEpoch(wholeSecondMsecs(), Qt::UTC);
}

int SystemClock::msecsToNextSecond() const
{
    // A little after the second, so that a timer that fires a little early still finds it. Time
    // zones move the clock by whole minutes, so the local second turns with the epoch's.
    constexpr int kAfterSecond = 2;
    return 1000 - int(QDateTime::currentMSecsSinceEpoch() % 1000) + kAfterSecond;
}
