#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The texts DateVexlo shows, computed without any widget.

// What getTimeRemaining produces for a count of remaining seconds. `daysText` and `timeText`
// are set only when every part of the long text could be computed.
struct RemainingTexts {
    QString text;
    std::optional<QString> daysText; // "1 day", "0 days", "1157 days"
    std::optional<QString> timeText; // "13:46:40"
};

// "11 days, 13 hrs, 46 mins, 40 secs." for 1,000,000 s. Every part is worked out through a
// 32-bit count, as the stored counts always were; a part that does not fit ends the text early
// (and a day count that does not fit gives "More than enough").
RemainingTexts remainingTexts(double seconds);

// The long text while exactly one second remains: the moment the alarm sounds.
inline const QString kOneSecondLeft = QStringLiteral("0 days, 0 hrs, 0 mins, 1 secs.");
inline const QString kTimeIsUp = QStringLiteral("Time Is Up!");
inline const QString kMoreThanEnough = QStringLiteral("More than enough");

// A stored text as a row or a grid line shows it. No row or line shows more than a small part
// of a longer one (the editor takes 75 characters; longer texts come only from elsewhere), so
// the rest is cut and marked with "…": a huge text is never laid out in full.
QString shownText(const QString& text);

// One event as the grid sees it.
struct GridEvent {
    QString message;
    QString date;      // "mm/dd/yyyy" as stored
    QString remaining; // the long text or "Time Is Up!"
    QString daysOnly;
    QString timeOnly;
};

// The grid line of an event, "2026-12-25    Party  -  11 days  and  13:46:40"; none for an
// event without a message.
std::optional<QString> gridLine(const GridEvent& event, bool daysAndTime);

// Grid lines in the order the grid shows them: by the year-first date, then by message.
void sortGridLines(QStringList& lines);

// A stored option as a number; a text that is no number counts as the first choice, 1.
int optionNumber(const QString& stored);

// "The difference between today and your date is 3 days."
QString dayDifferenceText(qint64 days);
