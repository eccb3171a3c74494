#include "countdowntexts.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

using namespace fullscreen;

TEST(FullScreenTexts, RemainingCountsSplitIntoTheDisplayedTime)
{
    struct Case {
        qint64 seconds;
        QString text;
        qint64 minutes; // what Save keeps
        int secs;
    };
    const Case cases[] = {
        {3665, "1:01:05", 61, 5},
        {86459, "24:00:59", 1440, 59},
        {309, "0:05:09", 5, 9},
        {1, "0:00:01", 0, 1},
        {59, "0:00:59", 0, 59},
        {60, "0:01:00", 1, 0},
        {3599, "0:59:59", 59, 59},
        {36007, "10:00:07", 600, 7},
        // Not taken modulo 24: a day and more shows as hours.
        {90061, "25:01:01", 1501, 1},
        // A tick that comes after the target shows zeros.
        {0, "0:00:00", 0, 0},
        {-1, "0:00:00", 0, 0},
        {-86400, "0:00:00", 0, 0},
    };
    for (const Case& c : cases) {
        const durations::Parts parts = durations::split(c.seconds);
        EXPECT_EQ(durations::clockText(parts), c.text) << c.seconds;
        EXPECT_EQ(totalMinutes(parts), c.minutes) << c.seconds;
        EXPECT_EQ(parts.seconds, c.secs) << c.seconds;
    }
}

TEST(FullScreenTexts, StoredNumbersAreHeldToTheScrollBarsRange)
{
    const std::tuple<QString, int, int> cases[] = {
        {"61", 1440, 61},
        {"1440", 1440, 1440},
        {"1441", 1440, 1440},
        {"-5", 1440, 0},
        {"", 59, 0},
        {"abc", 59, 0},
        {" 7 ", 59, 7},
        {"99999999999999999999", 59, 59},
        {"LabelRemainingSeconds", 59, 0},
    };
    for (const auto& [text, max, expected] : cases)
        EXPECT_EQ(durations::storedWholeNumber(text, 0, max), expected) << text.toStdString();

    EXPECT_EQ(numberOrZero("LabelRemainingMinutes"), "0");
    EXPECT_EQ(numberOrZero("61"), "61");
}
