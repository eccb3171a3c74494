#include "timerkeys.h"

namespace timerkeys {

StoredKeys firstRunKeys(const QString& programFolder)
{
    const QString firstPosition = QString::number(kFirstPosition);
    return {
        {kPath, programFolder},
        {kBackground, kFirstBackground},
        {kForeColor1, QStringLiteral("65535")},    // yellow
        {kForeColor2, QStringLiteral("16777215")}, // white
        {kPositionLeft, firstPosition},
        {kPositionTop, firstPosition},
        {kMessage, QString::fromUtf8(kDefaultMessage)},
        {kSound, kFirstSound},
        {kMode, kNormalMode},
        {kRunDefaultColors, QStringLiteral("False")},
    };
}

} // namespace timerkeys
