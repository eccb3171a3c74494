#include "pellumkeys.h"

namespace pellumkeys {

StoredKeys firstRunKeys(const QString& programFolder)
{
    const QString firstPosition = QString::number(kFirstPosition);
    return {
        {kWindow.path, programFolder},
        // Pellum has always spelt its wood pictures in lower case: Indian Laurel in yellow and
        // white.
        {kWindow.background, QStringLiteral("wood5.gif")},
        {kWindow.foreColor1, QStringLiteral("65535")},
        {kWindow.foreColor2, kWhite},
        {kWindow.positionLeft, firstPosition},
        {kWindow.positionTop, firstPosition},
        {kWindow.mode, TimerWindowKeys::kNormalMode},
        {kWindow.runDefaultColors, QStringLiteral("False")},
    };
}

} // namespace pellumkeys
