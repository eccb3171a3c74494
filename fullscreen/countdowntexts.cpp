#include "countdowntexts.h"

#include <optional>

namespace fullscreen {

namespace {

std::optional<qint64> parsedNumber(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

qint64 totalMinutes(const durations::Parts& remaining)
{
    return remaining.hours * 60 + remaining.minutes;
}

QString numberOrZero(const QString& text)
{
    const auto value = parsedNumber(text);
    return value ? QString::number(*value) : QStringLiteral("0");
}

} // namespace fullscreen
