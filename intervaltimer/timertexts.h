#pragma once

#include <QString>
#include <QtGlobal>

// Vexlo's texts and numbers, worked out without any widget.
namespace intervaltimer {

// The most the minutes bar sets: 24 hours.
inline constexpr int kMaxMinutes = 1440;
inline constexpr int kMaxSeconds = 59;

// A count of seconds as hours, minutes and seconds; a count of zero or less is all zeros.
struct TimeParts {
    qint64 hours = 0;
    int minutes = 0;
    int seconds = 0;
};
TimeParts splitSeconds(qint64 seconds);

// A count no 32-bit count of seconds holds cannot be split up the way the texts need.
bool fitsTimeTexts(qint64 seconds);
// "1 hours, 2 mins, 5 secs."
QString remainingSentence(const TimeParts& parts);
// "1:02:05": the hours without a leading zero, minutes and seconds with two digits.
QString shortRemaining(const TimeParts& parts);

// A number from the store held to min..max: a whole number outside is clamped, a text that is
// no whole number at all counts as 0 (then clamped).
int storedWholeNumber(const QString& text, int min, int max);

} // namespace intervaltimer
