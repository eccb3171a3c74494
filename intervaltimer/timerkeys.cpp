#include "timerkeys.h"

namespace timerkeys {

StoredKeys firstRunKeys(const QString& programFolder)
{
    const QString firstPosition = QString::number(kFirstPosition);
    return {
        {kWindow.path, programFolder},
        {kWindow.background, kFirstBackground},
        {kWindow.foreColor1, QStringLiteral("65535")},    // yellow
        {kWindow.foreColor2, QStringLiteral("16777215")}, // white
        {kWindow.positionLeft, firstPosition},
        {kWindow.positionTop, firstPosition},
        {kMessage, QString::fromUtf8(kDefaultMessage)},
        {kSound, kFirstSound},
        {kWindow.mode, TimerWindowKeys::kNormalMode},
        {kWindow.runDefaultColors, QStringLiteral("False")},
    };
}

} // namespace timerkeys
