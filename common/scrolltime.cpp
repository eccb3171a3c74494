#include "scrolltime.h"

#include "digitdisplay.h"
#include "timerengine.h"

bool setTimeFromScrollBars(TimerEngine& engine, DigitDisplay& digits, ScrollTimeFields fields,
                           int minutes, int seconds, ScrollBarMoved moved)
{
    engine.setDuration(minutes * 60 + seconds);
    fields.scrollMinutes = QString::number(minutes);
    fields.remainingMinutes = QString::number(minutes);
    fields.remainingSeconds = QString::number(seconds);
    const durations::Parts shown = digits.time();
    if (moved == ScrollBarMoved::Minutes)
        digits.setTime({engine.duration() / 3600, minutes % 60, shown.seconds});
    else
        digits.setTime({shown.hours, shown.minutes, seconds});
    return minutes != 0 || seconds != 0;
}
