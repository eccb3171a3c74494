#pragma once

#include "storedkeys.h"

#include <QString>
#include <QtGlobal>

// Every key Vexlo keeps in the shared store, and what a first run writes under it.
namespace timerkeys {

inline const TimerWindowKeys kWindow{QStringLiteral("Vexlo")};
inline const QString kMessage = QStringLiteral("Vexlo Message");
inline const QString kSound = QStringLiteral("Vexlo Sound");
inline const QString kSavedMinutes = QStringLiteral("Vexlo Saved Minutes");
inline const QString kSavedSeconds = QStringLiteral("Vexlo Saved Seconds");

// The alarm message until the user sets one; also shown when the stored one is empty.
inline constexpr char kDefaultMessage[] = QT_TRANSLATE_NOOP(
    "Vexlo", "Click on the ACTION button, then SET OPTIONS to change this message!");

inline const QString kFirstBackground = QStringLiteral("Wood5.gif");
// The picture of the "Corrugated" skin, as "Vexlo Background" holds it.
inline const QString kCorrugatedFile = QStringLiteral("Wood0.gif");
inline const QString kFirstSound = QStringLiteral("Timer1.wav");
inline constexpr int kFirstPosition = 200; // twips, both edges

// What the first run stores, the path being the program folder; "Vexlo Always On Top" is stored
// by any start finding it empty. The title and the saved time are never defaults.
StoredKeys firstRunKeys(const QString& programFolder);

} // namespace timerkeys
