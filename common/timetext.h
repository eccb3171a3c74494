#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// The family's date and time texts. They are written and read here only, always in the same
// US form whatever the user's locale, so that stored values written under one locale read back
// under another.
namespace timetext {

// "12/25/2026"
QString dateText(QDate date);
// "09:05:00 PM"
QString timeText(QTime time);
// "12/25/2026 09:05:00 PM": the form of every moment held as text.
QString dateTimeText(const QDateTime& moment);
// "12/5/2026": the short date form.
QString shortDateText(QDate date);

// Month/day/year with one or two digits for month and day and a four-digit year.
std::optional<QDate> parseDate(QStringView text);
// "h:mm:ss AM", "hh:mm:ss PM", or "hh:mm:ss" on the 24-hour clock.
std::optional<QTime> parseTime(QStringView text);
// A date, blanks, and a time: a local moment.
std::optional<QDateTime> parseDateTime(QStringView text);

// The moment the local clocks reach the wall time `time` on `date`. A wall time skipped when
// the clocks go forward counts as the instant it would be under the offset of before the jump
// (02:30 on the night 02:00 becomes 03:00 is 03:30 after it); one that comes twice when they go
// back is its first occurrence. None only when that wall time is skipped two days running.
std::optional<QDateTime> localMoment(QDate date, QTime time);

} // namespace timetext
