#include "trackertexts.h"

#include "durationtext.h"
#include "textcut.h"
#include "timetext.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

// The 32-bit count of a whole number of seconds, minutes, ...; none when it does not fit.
std::optional<qint32> toCount(double value)
{
    if (!std::isfinite(value) || value < std::numeric_limits<qint32>::min() ||
        value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

// Digits grouped by thousands with "," whatever the user's locale: "1,157".
QString groupedNumber(qint32 value)
{
    // The C locale groups by threes with ","; it leaves the groups out unless asked.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c.toString(value);
}

} // namespace

RemainingTexts remainingTexts(double seconds)
{
    RemainingTexts result;
    const auto days = toCount(std::floor(seconds / 86400));
    if (!days) {
        result.text = kMoreThanEnough;
        return result;
    }
    result.text = groupedNumber(*days) + QStringLiteral(" days, ");

    const auto totalHours = toCount(std::floor(seconds / 3600));
    if (!totalHours)
        return result;
    const qint32 hours = *totalHours % 24;
    result.text += QString::number(hours) + QStringLiteral(" hrs, ");

    const auto totalMinutes = toCount(std::floor(seconds / 60));
    if (!totalMinutes)
        return result;
    const qint32 minutes = *totalMinutes % 60;
    result.text += QString::number(minutes) + QStringLiteral(" mins, ");

    const auto totalSeconds = toCount(std::nearbyint(seconds)); // halves to the even neighbour
    if (!totalSeconds)
        return result;
    const qint32 secs = *totalSeconds % 60;
    result.text += QString::number(secs) + QStringLiteral(" secs.");

    result.daysText =
        *days == 1 ? QStringLiteral("1 day") : QString::number(*days) + QStringLiteral(" days");
    result.timeText = durations::clockText({hours, minutes, secs});
    return result;
}

QString shownText(const QString& text)
{
    // About twice what the grid's width shows of a line in the desktop's usual fonts.
    constexpr qsizetype kShownChars = 160;
    return text.size() <= kShownChars ? text : leftWhole(text, kShownChars) + u'\u2026';
}

std::optional<QString> gridLine(const GridEvent& event, bool daysAndTime)
{
    if (event.message.isEmpty())
        return std::nullopt;
    // A date that cannot be read is shown as it was stored.
    const auto date = timetext::parseDate(event.date);
    const QString shownDate = date ? date->toString(u"yyyy-MM-dd") : event.date;
    const QString prefix =
        shownDate + QStringLiteral("    ") + event.message + QStringLiteral("  -  ");

    if (event.remaining == kTimeIsUp || event.remaining == kMoreThanEnough)
        return prefix + event.remaining;
    // Nothing is counted down for an event without a date this program can read.
    if (event.daysOnly.isEmpty())
        return prefix + QStringLiteral("date not readable");
    if (daysAndTime)
        return prefix + event.daysOnly + QStringLiteral("  and  ") + event.timeOnly;
    if (event.daysOnly == u"0 days")
        return prefix + QStringLiteral("less than 24 hours");
    return prefix + event.daysOnly;
}

void sortGridLines(QStringList& lines)
{
    std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

int optionNumber(const QString& stored)
{
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > std::numeric_limits<int>::max())
        return 1;
    return static_cast<int>(std::nearbyint(value));
}

QString dayDifferenceText(qint64 days)
{
    return QStringLiteral("The difference between today and your date is ") +
           QString::number(days) + QStringLiteral(" days.");
}
