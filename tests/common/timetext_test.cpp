#include "qtprinters.h"
#include "textcut.h"
#include "timetext.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace timetext;

TEST(TimeText, FormatsInTheFamilyForm)
{
    const QDateTime moment(QDate(2026, 12, 25), QTime(21, 5, 0));
    EXPECT_EQ(dateTimeText(moment), "12/25/2026 09:05:00 PM");

    struct Case {
        QTime time;
        const char* text;
    };
    const Case cases[] = {
        {QTime(0, 0, 0), "12:00:00 AM"},   {QTime(0, 59, 59), "12:59:59 AM"},
        {QTime(1, 2, 3), "01:02:03 AM"},   {QTime(11, 59, 59), "11:59:59 AM"},
        {QTime(12, 0, 0), "12:00:00 PM"},  {QTime(13, 0, 1), "01:00:01 PM"},
        {QTime(23, 59, 59), "11:59:59 PM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(timeText(c.time), c.text);
        EXPECT_EQ(parseTime(QString::fromLatin1(c.text)), c.time) << c.text;
    }
    EXPECT_EQ(dateText(QDate(2027, 3, 2)), "03/02/2027");
    EXPECT_EQ(shortDateText(QDate(2027, 3, 2)), "3/2/2027");
}

TEST(TimeText, RoundTripsToTheSecondAcrossTheYear)
{
    for (QDateTime m(QDate(2026, 1, 1), QTime(0, 0, 7)); m.date().year() == 2026;
         m = m.addSecs(86400 * 3 + 3607)) {
        ASSERT_EQ(parseDateTime(dateTimeText(m)), m) << dateTimeText(m).toStdString();
        ASSERT_EQ(parseDate(shortDateText(m.date())), m.date());
    }
}

TEST(TimeText, ParsesOnlyWhatItCanRead)
{
    struct Case {
        const char* text;
        bool readable;
    };
    const Case dates[] = {
        {"12/25/2026", true}, {"1/5/2026", true},    {" 01/05/2026 ", true},
        {"13/01/2026", false}, {"02/30/2026", false}, {"12/25/26", false},
        {"12-25-2026", false}, {"", false},           {"12/25/2026x", false},
        {"abc", false},        {"99999999999/1/2026", false},
    };
    for (const Case& c : dates)
        EXPECT_EQ(parseDate(QString::fromUtf8(c.text)).has_value(), c.readable) << c.text;

    const Case times[] = {
        {"09:05:00 PM", true}, {"9:05:00 pm", true},  {"21:05:00", true},
        {"13:00:00 PM", false}, {"00:00:00 AM", false}, {"12:60:00 PM", false},
        {"12:00 PM", false},    {"12:00:00 XM", false}, {"", false},
    };
    for (const Case& c : times)
        EXPECT_EQ(parseTime(QString::fromUtf8(c.text)).has_value(), c.readable) << c.text;

    EXPECT_FALSE(parseDateTime(u" "));
    EXPECT_FALSE(parseDateTime(u"12/25/2026"));
    EXPECT_FALSE(parseDateTime(u"12/25/2026 "));
}

TEST(TimeText, DoesNotDependOnTheUsersLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QDateTime moment(QDate(2026, 12, 25), QTime(21, 5, 0));
    EXPECT_EQ(dateTimeText(moment), "12/25/2026 09:05:00 PM");
    EXPECT_EQ(parseDateTime(u"12/25/2026 09:05:00 PM"), moment);
    QLocale::setDefault(before);
}

TEST(TimeText, AWallTimeCountsFromTheMomentTheClocksReachIt)
{
    ASSERT_EQ(QTimeZone::systemTimeZoneId(), "America/New_York");
    // 14 March 2027: 2:00 EST becomes 3:00 EDT. 7 November 2027: 2:00 EDT becomes 1:00 EST.
    struct Case {
        const char* text;
        const char* utc;   // the instant it stands for
        const char* shown; // that instant as the local clocks show it
    };
    const Case cases[] = {
        {"12/25/2026 09:05:00 PM", "2026-12-26T02:05:00Z", "12/25/2026 09:05:00 PM"},
        {"03/14/2027 01:59:59 AM", "2027-03-14T06:59:59Z", "03/14/2027 01:59:59 AM"},
        {"03/14/2027 02:00:00 AM", "2027-03-14T07:00:00Z", "03/14/2027 03:00:00 AM"},
        {"03/14/2027 02:30:00 AM", "2027-03-14T07:30:00Z", "03/14/2027 03:30:00 AM"},
        {"03/14/2027 02:59:59 AM", "2027-03-14T07:59:59Z", "03/14/2027 03:59:59 AM"},
        {"03/14/2027 03:00:00 AM", "2027-03-14T07:00:00Z", "03/14/2027 03:00:00 AM"},
        {"03/14/2027 10:00:00 AM", "2027-03-14T14:00:00Z", "03/14/2027 10:00:00 AM"},
        {"11/07/2027 12:59:59 AM", "2027-11-07T04:59:59Z", "11/07/2027 12:59:59 AM"},
        {"11/07/2027 01:30:00 AM", "2027-11-07T05:30:00Z", "11/07/2027 01:30:00 AM"},
        {"11/07/2027 02:00:00 AM", "2027-11-07T07:00:00Z", "11/07/2027 02:00:00 AM"},
        {"11/07/2027 10:00:00 AM", "2027-11-07T15:00:00Z", "11/07/2027 10:00:00 AM"},
    };
    for (const Case& c : cases) {
        const auto moment = parseDateTime(QString::fromLatin1(c.text));
        ASSERT_TRUE(moment) << c.text;
        EXPECT_EQ(moment->toUTC().toString(Qt::ISODate), c.utc) << c.text;
        EXPECT_EQ(dateTimeText(*moment), c.shown) << c.text;
    }
}

TEST(TextCut, NeverSplitsACharacterOutsideTheBasicPlane)
{
    const QString emoji = QStringLiteral("\U0001F600");
    const struct {
        QString text;
        qsizetype chars;
        QString left;
    } cases[] = {
        {"abc", 5, "abc"},
        {"abcdef", 3, "abc"},
        {"ab" + emoji, 3, "ab"},
        {"ab" + emoji, 4, "ab" + emoji},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leftWhole(c.text, c.chars), c.left) << c.text.toStdString() << " " << c.chars;
}
