#pragma once

#include "storedkeys.h"

#include <QString>
#include <QtGlobal>

// Every key FullScreenVexlo keeps in the shared store, and what a first run writes under it.
namespace fullscreenkeys {

inline const QString kPath = QStringLiteral("Full Screen Path");
inline const QString kLargeDisplay = QStringLiteral("Full Screen Large Display");
inline const QString kTimingMode = QStringLiteral("Full Screen Timing Mode");
inline const QString kMessage = QStringLiteral("Full Screen Message");
inline const QString kSound = QStringLiteral("Full Screen Sound");
inline const QString kMinutes = QStringLiteral("Full Screen Minutes");
inline const QString kSeconds = QStringLiteral("Full Screen Seconds");

// "Full Screen Large Display" and "Full Screen Timing Mode" are flags.
inline const QString kTrue = QStringLiteral("True");
inline const QString kFalse = QStringLiteral("False");
// "Full Screen Timing Mode"
inline const QString& kNormalMode = kTrue;
inline const QString& kStopwatchMode = kFalse;

// The message at the top of the screen until the user sets one, and whenever the stored one is
// empty at start-up.
inline constexpr char kDefaultMessage[] =
    QT_TRANSLATE_NOOP("FullScreenVexlo", "Click anywhere on the screen to set the Screen Size, "
                                         "or on Set Options to customize this message!");
// The sound until the user picks one, and whenever a choice comes back empty.
inline const QString kDefaultSound = QStringLiteral("Timer1.wav");

// The keys a start finding them empty fills, each with its first value; the path is the folder
// of the program's data files. The saved time is never a default.
StoredKeys firstRunKeys(const QString& programFolder);

} // namespace fullscreenkeys
