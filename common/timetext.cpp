#include "timetext.h"

#include <QTimeZone>

namespace timetext {

namespace {

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

// Reads a run of `minDigits` to `maxDigits` ASCII digits at `pos`, advancing it.
std::optional<int> readNumber(QStringView text, qsizetype& pos, int minDigits, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= u'0' && text[pos] <= u'9') {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++digits;
    }
    if (digits < minDigits)
        return std::nullopt;
    return value;
}

bool readChar(QStringView text, qsizetype& pos, QChar c)
{
    const bool found = pos < text.size() && text[pos] == c;
    pos += found ? 1 : 0;
    return found;
}

template <typename Value> std::optional<Value> validOrNone(const Value& value)
{
    return value.isValid() ? std::optional<Value>(value) : std::nullopt;
}

} // namespace

QString dateText(QDate date)
{
    return twoDigits(date.month()) + u'/' + twoDigits(date.day()) + u'/' +
           QString::number(date.year()).rightJustified(4, u'0');
}

QString timeText(QTime time)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return twoDigits(hour12) + u':' + twoDigits(time.minute()) + u':' + twoDigits(time.second()) +
           (time.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

QString dateTimeText(const QDateTime& moment)
{
    return dateText(moment.date()) + u' ' + timeText(moment.time());
}

QString shortDateText(QDate date)
{
    return QString::number(date.month()) + u'/' + QString::number(date.day()) + u'/' +
           QString::number(date.year());
}

std::optional<QDate> parseDate(QStringView text)
{
    text = text.trimmed();
    qsizetype pos = 0;
    const auto month = readNumber(text, pos, 1, 2);
    if (!month || !readChar(text, pos, u'/'))
        return std::nullopt;
    const auto day = readNumber(text, pos, 1, 2);
    if (!day || !readChar(text, pos, u'/'))
        return std::nullopt;
    const auto year = readNumber(text, pos, 4, 4);
    if (!year || pos != text.size())
        return std::nullopt;
    return validOrNone(QDate(*year, *month, *day));
}

std::optional<QTime> parseTime(QStringView text)
{
    text = text.trimmed();
    qsizetype pos = 0;
    auto hour = readNumber(text, pos, 1, 2);
    if (!hour || !readChar(text, pos, u':'))
        return std::nullopt;
    const auto minute = readNumber(text, pos, 2, 2);
    if (!minute || !readChar(text, pos, u':'))
        return std::nullopt;
    const auto second = readNumber(text, pos, 2, 2);
    if (!second)
        return std::nullopt;

    const QStringView suffix = text.mid(pos).trimmed();
    if (!suffix.isEmpty()) {
        const bool am = suffix.compare(u"AM", Qt::CaseInsensitive) == 0;
        const bool pm = suffix.compare(u"PM", Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || *hour < 1 || *hour > 12)
            return std::nullopt;
        *hour = *hour % 12 + (pm ? 12 : 0);
    }
    return validOrNone(QTime(*hour, *minute, *second));
}

std::optional<QDateTime> parseDateTime(QStringView text)
{
    text = text.trimmed();
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return std::nullopt;
    const auto date = parseDate(text.left(blank));
    const auto time = parseTime(text.mid(blank + 1));
    if (!date || !time)
        return std::nullopt;
    return localMoment(*date, *time);
}

std::optional<QDateTime> localMoment(QDate date, QTime time)
{
    // Clocks change by at most a few hours and at most once a night, so the same wall time a
    // day before shows the offset in force before any change on `date`.
    const QDateTime dayBefore(date.addDays(-1), time);
    const QDateTime moment(date, time);
    if (!dayBefore.isValid())
        return validOrNone(moment);

    // The wall time read under the earlier offset. In a skipped hour this is the instant the
    // clocks reach it; in a repeated one, its first occurrence, where Qt would take the second.
    const qint64 wallAsUtcMsecs = QDateTime(date, time, QTimeZone::utc()).toMSecsSinceEpoch();
    const QDateTime underEarlierOffset =
        QDateTime::fromMSecsSinceEpoch(wallAsUtcMsecs - dayBefore.offsetFromUtc() * 1000LL);
    if (!moment.isValid() || underEarlierOffset.time() == time)
        return underEarlierOffset;
    return moment;
}

} // namespace timetext
