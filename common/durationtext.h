#pragma once

#include <QString>
#include <QtGlobal>

// Durations as the timers show them: whole hours (not taken modulo 24), minutes and seconds.
namespace durations {

struct Parts {
    qint64 hours = 0;
    int minutes = 0;
    int seconds = 0;
    friend bool operator==(const Parts&, const Parts&) = default;
};

// A count of seconds split up; a count of zero or less (a tick that came after the target) is
// all zeros.
Parts split(qint64 seconds);

// "1:02:05", "24:00:59": hours without a leading zero, minutes and seconds with two digits.
QString clockText(const Parts& parts);

// A number read back from the store, held to min..max: a whole number outside is clamped, one
// with more digits than any count holds goes as far out as it can, and a text that is no whole
// number at all counts as 0 (then clamped).
int storedWholeNumber(const QString& text, int min, int max);

} // namespace durations
