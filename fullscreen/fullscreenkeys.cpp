#include "fullscreenkeys.h"

namespace fullscreenkeys {

StoredKeys firstRunKeys(const QString& programFolder)
{
    return {
        {kPath, programFolder},     {kLargeDisplay, kFalse},
        {kTimingMode, kNormalMode}, {kMessage, QString::fromUtf8(kDefaultMessage)},
        {kSound, kDefaultSound},
    };
}

} // namespace fullscreenkeys
