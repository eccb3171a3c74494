#pragma once

#include <QString>

class DigitDisplay;
class TimerEngine;

// The hidden fields a countdown keeps the time of its two scroll bars in, as decimal text.
struct ScrollTimeFields {
    QString& scrollMinutes;    // the minutes bar's value
    QString& remainingMinutes; // what "Save this time" stores
    QString& remainingSeconds;
};

enum class ScrollBarMoved { Minutes, Seconds };

// The time set on the minutes and seconds bars (HScroll1, HScroll2) of Vexlo and FullScreenVexlo:
// the engine's duration, the fields' texts, and the part of the digits the moved bar changes. The
// minutes bar sets the hours and minutes and keeps the seconds shown; the seconds bar sets only the
// seconds. Returns whether any time is set, which is when a count can start.
bool setTimeFromScrollBars(TimerEngine& engine, DigitDisplay& digits, ScrollTimeFields fields,
                           int minutes, int seconds, ScrollBarMoved moved);
