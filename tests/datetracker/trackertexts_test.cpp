#include "qtprinters.h"
#include "trackertexts.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

TEST(GetTimeRemaining, WorkedExamples)
{
    struct Case {
        double seconds;
        const char* text;
        const char* days;
        const char* time;
    };
    const Case cases[] = {
        {1, "0 days, 0 hrs, 0 mins, 1 secs.", "0 days", "0:00:01"},
        {60, "0 days, 0 hrs, 1 mins, 0 secs.", "0 days", "0:01:00"},
        {3661, "0 days, 1 hrs, 1 mins, 1 secs.", "0 days", "1:01:01"},
        {86399, "0 days, 23 hrs, 59 mins, 59 secs.", "0 days", "23:59:59"},
        {86400, "1 days, 0 hrs, 0 mins, 0 secs.", "1 day", "0:00:00"},
        {90061, "1 days, 1 hrs, 1 mins, 1 secs.", "1 day", "1:01:01"},
        {172800, "2 days, 0 hrs, 0 mins, 0 secs.", "2 days", "0:00:00"},
        {1000000, "11 days, 13 hrs, 46 mins, 40 secs.", "11 days", "13:46:40"},
        {100000000, "1,157 days, 9 hrs, 46 mins, 40 secs.", "1157 days", "9:46:40"},
        {2147483647, "24,855 days, 3 hrs, 14 mins, 7 secs.", "24855 days", "3:14:07"},
        // Halves of a second go to the even neighbour.
        {2.5, "0 days, 0 hrs, 0 mins, 2 secs.", "0 days", "0:00:02"},
        {3.5, "0 days, 0 hrs, 0 mins, 4 secs.", "0 days", "0:00:04"},
    };
    for (const Case& c : cases) {
        const RemainingTexts r = remainingTexts(c.seconds);
        EXPECT_EQ(r.text, c.text) << c.seconds;
        EXPECT_EQ(r.daysText.value_or("unset"), c.days) << c.seconds;
        EXPECT_EQ(r.timeText.value_or("unset"), c.time) << c.seconds;
    }
}

TEST(GetTimeRemaining, StopsAtThePartThatNoLongerFits)
{
    struct Case {
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        // Seconds are the first count to overflow, just past 68 years.
        {2147483648.0, "24,855 days, 3 hrs, 14 mins, "},
        // Then the minutes, after about 4,085 years.
        {60.0 * 2147483648.0, "1,491,308 days, 2 hrs, "},
        // Then the hours, after about 245,000 years.
        {3600.0 * 2147483648.0, "89,478,485 days, "},
        {86400.0 * 2147483648.0, "More than enough"},
        {std::numeric_limits<double>::infinity(), "More than enough"},
        {std::nan(""), "More than enough"},
    };
    for (const Case& c : cases) {
        const RemainingTexts r = remainingTexts(c.seconds);
        EXPECT_EQ(r.text, c.text) << c.seconds;
        EXPECT_FALSE(r.daysText.has_value()) << c.seconds;
        EXPECT_FALSE(r.timeText.has_value()) << c.seconds;
    }
}

TEST(GridLine, ShowsWhatTheOptionAsksFor)
{
    struct Case {
        GridEvent event;
        bool daysAndTime;
        const char* line; // nullptr: no line
    };
    const QString upText = kTimeIsUp;
    const Case cases[] = {
        {{"Party", "12/25/2026", upText, "0 days", "0:00:01"}, true,
         "2026-12-25    Party  -  Time Is Up!"},
        {{"Party", "12/25/2026", "11 days, ...", "11 days", "13:46:40"}, true,
         "2026-12-25    Party  -  11 days  and  13:46:40"},
        {{"Party", "12/25/2026", "11 days, ...", "11 days", "13:46:40"}, false,
         "2026-12-25    Party  -  11 days"},
        {{"Party", "12/25/2026", "0 days, ...", "0 days", "1:23:20"}, false,
         "2026-12-25    Party  -  less than 24 hours"},
        {{"Party", "12/25/2026", "0 days, ...", "0 days", "1:23:20"}, true,
         "2026-12-25    Party  -  0 days  and  1:23:20"},
        {{"Party", "1 day", "1 day", "1 day", "0:00:00"}, false, "1 day    Party  -  1 day"},
        {{"", "12/25/2026", upText, "", ""}, true, nullptr},
        {{"Party", "not a date", "", "", ""}, false, "not a date    Party  -  date not readable"},
        {{"Party", "13/45/2026", "", "", ""}, true, "13/45/2026    Party  -  date not readable"},
        {{"Party", "", "", "", ""}, true, "    Party  -  date not readable"},
        {{"Party", "12/31/2094", "More than enough", "", ""}, true,
         "2094-12-31    Party  -  More than enough"},
    };
    for (const Case& c : cases) {
        const auto line = gridLine(c.event, c.daysAndTime);
        if (c.line)
            EXPECT_EQ(line.value_or("(none)"), c.line);
        else
            EXPECT_FALSE(line.has_value()) << line->toStdString();
    }
}

TEST(GridLine, SortsByDateAcrossYearsThenByMessage)
{
    QStringList lines = {
        "2027-01-02    Alpha  -  1 day", "2026-12-31    zebra  -  1 day",
        "2026-12-31    Apple  -  1 day", "2026-12-31    banana  -  1 day",
        "2026-01-15    Late  -  1 day",
    };
    sortGridLines(lines);
    const QStringList expected = {
        "2026-01-15    Late  -  1 day",   "2026-12-31    Apple  -  1 day",
        "2026-12-31    banana  -  1 day", "2026-12-31    zebra  -  1 day",
        "2027-01-02    Alpha  -  1 day",
    };
    EXPECT_EQ(lines, expected);
}

TEST(OptionNumber, TextsThatAreNoNumberCountAsOne)
{
    struct Case {
        const char* stored;
        int number;
    };
    const Case cases[] = {{"1", 1},  {"2", 2},     {" 2 ", 2}, {"2.0", 2}, {"", 1},  {"two", 1},
                          {"2x", 1}, {"1e400", 1}, {"-3", -3}, {"0", 0},   {"nan", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(optionNumber(QString::fromLatin1(c.stored)), c.number) << c.stored;
}

TEST(DayDifference, HasNoSingular)
{
    EXPECT_EQ(dayDifferenceText(3), "The difference between today and your date is 3 days.");
    EXPECT_EQ(dayDifferenceText(1), "The difference between today and your date is 1 days.");
}
