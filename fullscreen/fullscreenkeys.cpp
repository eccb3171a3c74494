#include "fullscreenkeys.h"

namespace fullscreenkeys {

SettingsStore::Values firstRunValues(const QString& programFolder)
{
    return {
        {kPath, programFolder},     {kLargeDisplay, kFalse},
        {kTimingMode, kNormalMode}, {kMessage, QString::fromUtf8(kDefaultMessage)},
        {kSound, kDefaultSound},
    };
}

} // namespace fullscreenkeys
