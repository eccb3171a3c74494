#pragma once

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

// A remaining count as the display shows it. The hours are not taken modulo 24; a count below
// zero (a tick that came after the target) is all zeros.
struct Remaining {
    qint64 hours = 0;
    int minutes = 0;
    int seconds = 0;
    friend bool operator==(const Remaining&, const Remaining&) = default;
};
Remaining splitRemaining(qint64 seconds);

// "1:01:05", "24:00:59": hours without a leading zero, minutes and seconds with two digits.
QString remainingText(const Remaining& remaining);
// The whole minutes of a remaining time, hours included: what "Save this time" keeps.
qint64 totalMinutes(const Remaining& remaining);

// Whether a stopped run resumes: the last tick left a count of seconds above zero. The first
// text, "0" and a count at or below zero (the time was up) all mean a fresh run.
bool resumes(const QString& secondsRemaining);

// A count from the store or a field held to 0..max; a text that is no whole number counts as 0.
int wholeNumber(const QString& text, int max);

// A field's text when it holds a whole number, else "0", so that no first text of a field is
// ever stored as a time.
QString numberOrZero(const QString& text);

} // namespace fullscreen
