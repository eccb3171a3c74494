#pragma once

#include "settingsstore.h"

#include <QString>

// Every key Pellum keeps in the shared store, each with what a first start writes under it.
namespace pellumkeys {

struct Key {
    QString name;
    QString firstStart; // empty: a first start writes nothing here, or something of its own
};

// "Pellum Mode"
inline const QString kNormalMode = QStringLiteral("True");
inline const QString kStopWatchMode = QStringLiteral("False");
inline const QString kWhite = QStringLiteral("16777215");

// The first start stores the program folder here.
inline const Key kPath{QStringLiteral("Pellum Path"), {}};
// Pellum has always spelt its wood pictures in lower case: Indian Laurel in yellow and white.
inline const Key kBackground{QStringLiteral("Pellum Background"), QStringLiteral("wood5.gif")};
inline const Key kForeColor1{QStringLiteral("Pellum ForeColor 1"), QStringLiteral("65535")};
inline const Key kForeColor2{QStringLiteral("Pellum ForeColor 2"), kWhite};
inline const Key kRunDefaultColors{QStringLiteral("Pellum Run Default Colors"),
                                   QStringLiteral("False")};
// Twips from the screen's top left corner.
inline const Key kPositionLeft{QStringLiteral("Pellum Position Left"), QStringLiteral("200")};
inline const Key kPositionTop{QStringLiteral("Pellum Position Top"), QStringLiteral("200")};
inline const Key kMode{QStringLiteral("Pellum Mode"), kNormalMode};
// Any start that finds it empty stores "1": a new installation starts on top.
inline const Key kAlwaysOnTop{QStringLiteral("Pellum Always On Top"), {}};
// Stored only when a window opens a new timer.
inline const Key kCurrentTitle{QStringLiteral("Pellum Current Title"), {}};

inline const QString kCorrugatedFile = QStringLiteral("wood0.gif");
// Where a window that would open off every screen goes, in twips.
inline constexpr int kFirstPosition = 200;
// A white that old installations stored with a comment after it; start-up stores kWhite in its
// place.
inline const QString kCommentedWhite = QStringLiteral("16777215    'white");

// What a first start stores besides the path and "Pellum Always On Top".
SettingsStore::Values firstStartValues();

} // namespace pellumkeys
