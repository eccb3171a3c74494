#include "elapsedtexts.h"

namespace elapsed {

namespace {

constexpr int kHoursShown = 24;

} // namespace

durations::Parts shownParts(qint64 seconds)
{
    durations::Parts parts = durations::split(seconds);
    parts.hours %= kHoursShown;
    return parts;
}

} // namespace elapsed
