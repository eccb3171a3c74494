#include "qtprinters.h"
#include "timertexts.h"

#include <gtest/gtest.h>

using durations::storedWholeNumber;

TEST(StoredWholeNumber, TakesWholeNumbersClampedAndAnythingElseAsZero)
{
    struct Case {
        QString text;
        int expected; // held to 0..1440
    };
    const Case cases[] = {
        {"70", 70},
        {"0", 0},
        {"1440", 1440},
        {"1441", 1440},
        {"-5", 0},
        {" 70 ", 70},
        {"+12", 12},
        {"007", 7},
        {"", 0},
        {"abc", 0},
        {"70.5", 0},
        {"7e2", 0},
        {"70 min", 0},
        {"-", 0},
        {"+", 0},
        {"2147483648", 1440},
        {QString(100000, u'9'), 1440},
        {"-" + QString(40, u'9'), 0},
        {QString::fromUtf16(u"\u0667\u0660"), 0}, // Arabic-Indic 70
    };
    for (const Case& c : cases)
        EXPECT_EQ(storedWholeNumber(c.text, 0, 1440), c.expected) << c.text.left(20).toStdString();

    // A range that leaves out zero clamps the zero that stands for garbage as well.
    EXPECT_EQ(storedWholeNumber("abc", 10, 20), 10);
    EXPECT_EQ(storedWholeNumber("-3000", -1000000, 1000000), -3000);
}
