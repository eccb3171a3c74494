#include "durationtext.h"

#include <algorithm>

namespace durations {

Parts split(qint64 seconds)
{
    if (seconds <= 0)
        return {};
    return {seconds / 3600, int(seconds / 60 % 60), int(seconds % 60)};
}

QString clockText(const Parts& parts)
{
    return QString::number(parts.hours) + u':' +
           QString::number(parts.minutes).rightJustified(2, u'0') + u':' +
           QString::number(parts.seconds).rightJustified(2, u'0');
}

int storedWholeNumber(const QString& text, int min, int max)
{
    const QString trimmed = text.trimmed();
    const qsizetype digitsFrom = trimmed.startsWith(u'-') || trimmed.startsWith(u'+') ? 1 : 0;
    const bool whole =
        trimmed.size() > digitsFrom && std::all_of(trimmed.begin() + digitsFrom, trimmed.end(),
                                                   [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!whole)
        return std::clamp(0, min, max);
    bool ok = false;
    const qint64 value = trimmed.toLongLong(&ok);
    if (!ok)
        return trimmed.startsWith(u'-') ? min : max;
    return int(std::clamp<qint64>(value, min, max));
}

} // namespace durations
