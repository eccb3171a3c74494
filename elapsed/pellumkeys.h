#pragma once

#include "storedkeys.h"

#include <QString>

// Every key Pellum keeps in the shared store; what a first start writes is firstRunKeys().
namespace pellumkeys {

inline const QString kWhite = QStringLiteral("16777215");

// "Pellum Always On Top" is stored as "1" by any start that finds it empty: a new installation
// starts on top. "Pellum Current Title" is stored only when a window opens a new timer.
inline const TimerWindowKeys kWindow{QStringLiteral("Pellum")};

inline const QString kCorrugatedFile = QStringLiteral("wood0.gif");
// Where a window that would open off every screen goes, in twips.
inline constexpr int kFirstPosition = 200;
// A white that old installations stored with a comment after it; start-up stores kWhite in its
// place.
inline const QString kCommentedWhite = QStringLiteral("16777215    'white");

// What a first start stores, the path being the program folder; "Pellum Always On Top" is
// stored by any start finding it empty.
StoredKeys firstRunKeys(const QString& programFolder);

} // namespace pellumkeys
