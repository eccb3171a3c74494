#pragma once

#include "durationtext.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

// Pellum's counting, worked out without any widget.
namespace elapsed {

// The first texts of the hidden fields, which mean "nothing yet".
inline const QString kNoStart = QStringLiteral("LabelTimeStarted3");
inline const QString kNoCount = QStringLiteral("LabelSecondsRemaining3"); // also after Clear
inline const QString kNothingShown = QStringLiteral("LabelTotalTimeRemaining1");

// The whole seconds from `start` to `now`, counted in real time so that a change to or from
// daylight saving time neither adds nor takes away an hour. A clock set back before the start
// counts nothing rather than a negative time.
qint64 secondsSince(const QDateTime& start, const QDateTime& now);

// A count as the display shows it: the hours wrap at 24, so whole days drop out.
durations::Parts shownParts(qint64 seconds);

// The count a field holds, or nothing for its first text (no count since start-up or Clear).
std::optional<qint64> countIn(const QString& field);

// Where a Start puts the start moment. Without a count it is now; a stopped count resumes from
// its value in Normal mode, and in StopWatch mode the first start stays, so that the time spent
// stopped counts too.
QDateTime startMoment(const QDateTime& now, const QString& count, bool normalMode,
                      const QDateTime& firstStart);

} // namespace elapsed
