#include "timerkeys.h"

namespace timerkeys {

SettingsStore::Values firstRunValues()
{
    const QString firstPosition = QString::number(kFirstPosition);
    return {
        {kBackground, kFirstBackground},
        {kForeColor1, kFirstForeColor1},
        {kForeColor2, kFirstForeColor2},
        {kPositionLeft, firstPosition},
        {kPositionTop, firstPosition},
        {kMessage, QString::fromUtf8(kDefaultMessage)},
        {kSound, kFirstSound},
        {kMode, kNormalMode},
        {kRunDefaultColors, kFirstRunDefaultColors},
    };
}

} // namespace timerkeys
