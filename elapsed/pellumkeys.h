#pragma once

#include "storedkeys.h"

#include <QString>

// Every key Pellum keeps in the shared store; what a first start writes is firstRunKeys().
namespace pellumkeys {

// "Pellum Mode"
inline const QString kNormalMode = QStringLiteral("True");
inline const QString kStopWatchMode = QStringLiteral("False");
inline const QString kWhite = QStringLiteral("16777215");

inline const QString kPath = QStringLiteral("Pellum Path");
inline const QString kBackground = QStringLiteral("Pellum Background");
inline const QString kForeColor1 = QStringLiteral("Pellum ForeColor 1");
inline const QString kForeColor2 = QStringLiteral("Pellum ForeColor 2");
inline const QString kRunDefaultColors = QStringLiteral("Pellum Run Default Colors");
// Twips from the screen's top left corner.
inline const QString kPositionLeft = QStringLiteral("Pellum Position Left");
inline const QString kPositionTop = QStringLiteral("Pellum Position Top");
inline const QString kMode = QStringLiteral("Pellum Mode");
// Any start that finds it empty stores "1": a new installation starts on top.
inline const QString kAlwaysOnTop = QStringLiteral("Pellum Always On Top");
// Stored only when a window opens a new timer.
inline const QString kCurrentTitle = QStringLiteral("Pellum Current Title");

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
