#include "countdowntexts.h"

namespace fullscreen {

qint64 totalMinutes(const durations::Parts& remaining)
{
    return remaining.hours * 60 + remaining.minutes;
}

QString numberOrZero(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? QString::number(value) : QStringLiteral("0");
}

} // namespace fullscreen
