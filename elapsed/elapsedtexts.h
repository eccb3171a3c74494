#pragma once

#include "durationtext.h"

#include <QString>
#include <QtGlobal>

// Pellum's counting, worked out without any widget.
namespace elapsed {

// The first texts of the hidden fields, which mean "nothing yet".
inline const QString kNoStart = QStringLiteral("LabelTimeStarted3");
inline const QString kNoCount = QStringLiteral("LabelSecondsRemaining3"); // also after Clear
inline const QString kNothingShown = QStringLiteral("LabelTotalTimeRemaining1");

// A count as the display shows it: the hours wrap at 24, so whole days drop out.
durations::Parts shownParts(qint64 seconds);

} // namespace elapsed
