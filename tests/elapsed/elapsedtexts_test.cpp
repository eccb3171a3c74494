#include "elapsedtexts.h"
#include "qtprinters.h"

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
