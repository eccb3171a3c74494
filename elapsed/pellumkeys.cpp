#include "pellumkeys.h"

namespace pellumkeys {

StoredKeys firstRunKeys(const QString& programFolder)
{
    const QString firstPosition = QString::number(kFirstPosition);
    return {
        {kPath, programFolder},
        // Pellum has always spelt its wood pictures in lower case: Indian Laurel in yellow and
        // white.
        {kBackground, QStringLiteral("wood5.gif")},
        {kForeColor1, QStringLiteral("65535")},
        {kForeColor2, kWhite},
        {kPositionLeft, firstPosition},
        {kPositionTop, firstPosition},
        {kMode, kNormalMode},
        {kRunDefaultColors, QStringLiteral("False")},
    };
}

} // namespace pellumkeys
