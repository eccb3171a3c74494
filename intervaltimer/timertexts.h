#pragma once

#include "durationtext.h"

#include <QString>
#include <QtGlobal>

// Vexlo's texts and numbers, worked out without any widget.
namespace intervaltimer {

// The most the minutes bar sets: 24 hours.
inline constexpr int kMaxMinutes = 1440;
inline constexpr int kMaxSeconds = 59;

// A count no 32-bit count of seconds holds cannot be split up the way the texts need.
bool fitsTimeTexts(qint64 seconds);
// "1 hours, 2 mins, 5 secs."
QString remainingSentence(const durations::Parts& parts);

} // namespace intervaltimer
