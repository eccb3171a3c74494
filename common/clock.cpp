#include "clock.h"

QDateTime SystemClock::now() const
{
    QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    now.setTime(QTime(t.hour(), t.minute(), t.second()));
    return now;
}

int SystemClock::msecsToNextSecond() const
{
    // A little after the second, so that a timer that fires a little early still finds it.
    constexpr int kAfterSecond = 2;
    return 1000 - QTime::currentTime().msec() + kAfterSecond;
}
