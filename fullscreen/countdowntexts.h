#pragma once

#include "durationtext.h"

#include <QString>
#include <QtGlobal>

// FullScreenVexlo's numbers and texts, worked out without any widget.
namespace fullscreen {

// The most the scroll bars set: 24 hours and 59 seconds.
inline constexpr int kMaxMinutes = 1440;
inline constexpr int kMaxSeconds = 59;

// The first texts of the hidden fields that mean "nothing yet": no run since start-up or the
// last Clear, and no remaining time on display.
inline const QString kNoRunYet = QStringLiteral("LabelSecondsRemaining");
inline const QString kNothingShown = QStringLiteral("LabelTimeRemaining");

// The whole minutes of a remaining time, hours included: what "Save this time" keeps.
qint64 totalMinutes(const durations::Parts& remaining);

// A field's text when it holds a whole number, else "0", so that no first text of a field is
// ever stored as a time.
QString numberOrZero(const QString& text);

} // namespace fullscreen
