#include "elapsedtexts.h"
#include "qtprinters.h"

#include <QTimeZone>

#include <gtest/gtest.h>

TEST(ElapsedTexts, ACountShowsHoursMinutesAndSecondsWithTheDaysDropped)
{
    struct Case {
        qint64 seconds;
        QString shown;
    };
    const Case cases[] = {
        {0, "0:00:00"},      {9, "0:00:09"},      {3723, "1:02:03"},
        {36610, "10:10:10"}, {86399, "23:59:59"}, {86400, "0:00:00"},
        {90000, "1:00:00"},  {-5, "0:00:00"},     {400 * 86400 + 59, "0:00:59"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(durations::clockText(elapsed::shownParts(c.seconds)), c.shown) << c.seconds;
}

TEST(ElapsedTexts, TheCountIsRealTimeAcrossClockChangesAndNeverBelowZero)
{
    const QTimeZone newYork("America/New_York");
    const auto local = [&](int month, int day, int utcHour, int minute, int second) {
        return QDateTime(QDate(2026, month, day), QTime(utcHour, minute, second), Qt::UTC)
            .toTimeZone(newYork);
    };
    struct Case {
        const char* why;
        QDateTime start;
        QDateTime now;
        qint64 seconds;
    };
    const Case cases[] = {
        // 12:59:50 AM daylight time to 1:00:00 AM standard time, an hour and ten seconds on.
        {"autumn", local(11, 1, 4, 59, 50), local(11, 1, 6, 0, 0), 3610},
        // 1:59:50 AM to 3:00:00 AM: the hour between never happens.
        {"spring", local(3, 8, 6, 59, 50), local(3, 8, 7, 0, 0), 10},
        {"clock set back", local(6, 1, 12, 0, 0), local(6, 1, 11, 0, 0), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(elapsed::secondsSince(c.start, c.now), c.seconds) << c.why;
}
