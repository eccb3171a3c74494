#include "elapsedtexts.h"

#include "timetext.h"

#include <algorithm>

namespace elapsed {

namespace {

constexpr int kHoursShown = 24;

} // namespace

qint64 secondsSince(const QDateTime& start, const QDateTime& now)
{
    return std::max<qint64>(timetext::secondsBetween(start, now), 0);
}

durations::Parts shownParts(qint64 seconds)
{
    durations::Parts parts = durations::split(seconds);
    parts.hours %= kHoursShown;
    return parts;
}

std::optional<qint64> countIn(const QString& field)
{
    bool ok = false;
    const qint64 count = field.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return std::max<qint64>(count, 0);
}

QDateTime startMoment(const QDateTime& now, const QString& count, bool normalMode,
                      const QDateTime& firstStart)
{
    const std::optional<qint64> counted = countIn(count);
    if (!counted)
        return now;
    if (!normalMode && firstStart.isValid())
        return firstStart;
    return now.addSecs(-*counted);
}

} // namespace elapsed
