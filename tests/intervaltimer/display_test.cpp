#include "vexlofixture.h"

TEST_F(VexloTest, ScrollBarsSetTheTimeAndTheDigits)
{
    Vexlo& w = open();
    EXPECT_EQ(display(), " 0:00:00");
    EXPECT_EQ(bar(1)->maximum(), 1440);
    EXPECT_EQ(bar(1)->pageStep(), 15);
    EXPECT_EQ(bar(2)->maximum(), 59);
    EXPECT_EQ(bar(2)->pageStep(), 5);
    struct Case {
        int minutes;
        int seconds;
        QString shown;
        QString secondsSet;
        QString hours;
    };
    const Case cases[] = {
        {0, 1, " 0:00:01", "1", "0"},        {5, 0, " 0:05:00", "300", "0"},
        {59, 59, " 0:59:59", "3599", "0"},   {60, 0, " 1:00:00", "3600", "1"},
        {75, 0, " 1:15:00", "4500", "1"},    {599, 59, " 9:59:59", "35999", "9"},
        {600, 7, "10:00:07", "36007", "10"}, {1440, 59, "24:00:59", "86459", "24"},
        {0, 0, " 0:00:00", "0", "0"},
    };
    for (const Case& c : cases) {
        setTime(c.minutes, c.seconds);
        EXPECT_EQ(display(), c.shown) << c.minutes << ":" << c.seconds;
        EXPECT_EQ(w.LabelSecondsInputted1(), c.secondsSet);
        EXPECT_EQ(w.state().LabelCheckHours, c.hours);
        EXPECT_EQ(w.state().LabelCheckMinutes, QString::number(c.minutes % 60));
        EXPECT_EQ(w.state().LabelCheckSeconds, QString::number(c.seconds));
        EXPECT_EQ(w.state().LabelScrollMinutes1, QString::number(c.minutes));
        EXPECT_EQ(w.state().LabelRemainingMinutes, QString::number(c.minutes));
        EXPECT_EQ(w.state().LabelRemainingSeconds, QString::number(c.seconds));
        const bool set = c.minutes > 0 || c.seconds > 0;
        EXPECT_EQ(shown("ButVexloStart"), set);
        EXPECT_EQ(shown("FrameLabel3"), !set);
    }

    // With no time set, Start stays away and starting does nothing.
    EXPECT_EQ(text("FrameLabel3"), "Set The Time Below!");
    child<QPushButton>("ButVexloStart")->click();
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_TRUE(shown("HScroll1"));
    EXPECT_TRUE(w.LabelFutureTime1().isEmpty());
}

TEST_F(VexloTest, ShowTimeRemainingDrawsAndWritesEveryPart)
{
    Vexlo& w = open();
    struct Case {
        qint64 seconds;
        QString sentence;
        QString shortForm;
        QString shown;
        QString minutes;
        QString secs;
    };
    const Case cases[] = {
        {3725, "1 hours, 2 mins, 5 secs.", "1:02:05", " 1:02:05", "62", "5"},
        {299, "0 hours, 4 mins, 59 secs.", "0:04:59", " 0:04:59", "4", "59"},
        {1, "0 hours, 0 mins, 1 secs.", "0:00:01", " 0:00:01", "0", "1"},
        {36000, "10 hours, 0 mins, 0 secs.", "10:00:00", "10:00:00", "600", "0"},
        {43205, "12 hours, 0 mins, 5 secs.", "12:00:05", "12:00:05", "720", "5"},
        {86459, "24 hours, 0 mins, 59 secs.", "24:00:59", "24:00:59", "1440", "59"},
        {0, "0 hours, 0 mins, 0 secs.", "0:00:00", " 0:00:00", "0", "0"},
        {-3725, "0 hours, 0 mins, 0 secs.", "0:00:00", " 0:00:00", "0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(w.showTimeRemaining(c.seconds), c.sentence) << c.seconds;
        EXPECT_EQ(w.state().LabelTimeRemaining1, c.shortForm) << c.seconds;
        EXPECT_EQ(display(), c.shown) << c.seconds;
        EXPECT_EQ(w.state().LabelRemainingMinutes, c.minutes) << c.seconds;
        EXPECT_EQ(w.state().LabelRemainingSeconds, c.secs) << c.seconds;
    }
    // Beyond any 32-bit count: said so, and the display keeps what it showed.
    EXPECT_EQ(w.showTimeRemaining(qint64(1) << 31), "Way too much!");
    EXPECT_EQ(display(), " 0:00:00");
}
