#include "countdowntexts.h"

#include <algorithm>
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

Remaining splitRemaining(qint64 seconds)
{
    if (seconds <= 0)
        return {};
    return {seconds / 3600, int(seconds / 60 % 60), int(seconds % 60)};
}

QString remainingText(const Remaining& remaining)
{
    return QString::number(remaining.hours) + u':' +
           QString::number(remaining.minutes).rightJustified(2, u'0') + u':' +
           QString::number(remaining.seconds).rightJustified(2, u'0');
}

qint64 totalMinutes(const Remaining& remaining)
{
    return remaining.hours * 60 + remaining.minutes;
}

bool resumes(const QString& secondsRemaining)
{
    return parsedNumber(secondsRemaining).value_or(0) > 0;
}

int wholeNumber(const QString& text, int max)
{
    return int(std::clamp<qint64>(parsedNumber(text).value_or(0), 0, max));
}

QString numberOrZero(const QString& text)
{
    const auto value = parsedNumber(text);
    return value ? QString::number(*value) : QStringLiteral("0");
}

} // namespace fullscreen
