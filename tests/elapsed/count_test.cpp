#include "pellumfixture.h"

#include <QLineEdit>

TEST_F(PellumTest, StartCountsUpAndStopHoldsTheCount)
{
    Pellum& w = open();
    the<QPushButton>("ButPellumStart")->click();
    auto* timer1 = the<QTimer>("Timer1");
    EXPECT_TRUE(timer1->isActive());
    EXPECT_EQ(timer1->interval(), 450);
    EXPECT_EQ(w.LabelTimeStarted3(), "12/25/2026 12:00:00 PM");
    EXPECT_EQ(w.focusWidget(), the("ButPellumStop"));
    EXPECT_FALSE(shown("ButPellumStart"));
    EXPECT_EQ(the<QLabel>("FrameLabel1")->text(),
              "Stop the Pellum timer or use the Action button!");
    EXPECT_EQ(the("FrameLabel1")->accessibleName(), the<QLabel>("FrameLabel1")->text());
    for (const char* name : {"menuclear", "sep1"})
        EXPECT_FALSE(the<QAction>(name)->isVisible()) << name;

    tickFor(62);
    EXPECT_EQ(display(), " 0:01:02");
    EXPECT_EQ(w.LabelSecondsRemaining3(), "62");
    EXPECT_EQ(w.state().LabelTotalTimeRemaining1, "0:01:02");

    the<QPushButton>("ButPellumStop")->click();
    EXPECT_FALSE(timer1->isActive());
    EXPECT_EQ(w.focusWidget(), the("ButPellumStart"));
    EXPECT_FALSE(shown("ButPellumStop"));
    EXPECT_EQ(the<QLabel>("FrameLabel1")->text(),
              "Start the Pellum timer or use the Action button!");
    for (const char* name : {"menuclear", "sep1"})
        EXPECT_TRUE(the<QAction>(name)->isVisible()) << name;
    EXPECT_EQ(display(), " 0:01:02");
    EXPECT_EQ(w.LabelSecondsRemaining3(), "62");
}

TEST_F(PellumTest, StartAfterStopResumesOrCatchesUpAndAfterClearBeginsAtZero)
{
    struct Case {
        bool clear;
        QString resumed;
        QString aSecondLater;
    };
    // In StopWatch mode; the engine's table has the Normal rows.
    const Case cases[] = {{false, " 0:00:30", "0:00:31"}, {true, " 0:00:00", "0:00:01"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clear ? "cleared" : "stopped");
        Pellum& w = open();
        the<QAction>("menuMode2")->trigger();
        w.ButPellumStartClick();
        tickFor(10);
        w.ButPellumStopClick();
        clock.advance(20);
        if (c.clear) {
            the<QAction>("menuclear")->trigger();
            EXPECT_EQ(display(), " 0:00:00");
            EXPECT_EQ(w.LabelSecondsRemaining3(), "LabelSecondsRemaining3");
            // The title keeps the last count until the next tick.
            EXPECT_EQ(w.state().LabelTotalTimeRemaining1, "0:00:10");
        }
        w.ButPellumStartClick();
        w.Timer1Tick();
        EXPECT_EQ(display(), c.resumed);
        tickFor(1);
        EXPECT_EQ(w.state().LabelTotalTimeRemaining1, c.aSecondLater);
    }
}

TEST_F(PellumTest, TheDigitsShowTheCountWithTheHoursWrappingAtADay)
{
    struct Case {
        const char* why;
        QDateTime start;
        qint64 later;
        QString shown;
    };
    const QDateTime noon = clock.now();
    const Case cases[] = {
        {"a second", noon, 1, " 0:00:01"},
        {"two hour digits", noon, 36610, "10:10:10"},
        {"a day less a second", noon, 86399, "23:59:59"},
        {"a whole day", noon, 86400, " 0:00:00"},
        {"25 hours", noon, 25 * 3600, " 1:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        clock.set(c.start);
        Pellum& w = open();
        w.ButPellumStartClick();
        clock.advance(c.later);
        w.Timer1Tick();
        EXPECT_EQ(display(), c.shown);
        EXPECT_EQ(w.LabelSecondsRemaining3(), QString::number(c.later));
    }
}

TEST_F(PellumTest, MinimisedTheTitleShowsTheCountUntilTheNextTickAfterRestoring)
{
    Pellum& w = open();
    w.ButPellumStartClick();
    w.setWindowState(Qt::WindowMinimized);
    tickFor(3723);
    EXPECT_EQ(w.windowTitle(), "Pellum - 1:02:03");

    w.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(w.windowTitle(), "Pellum - 1:02:03");
    tickFor(1);
    EXPECT_EQ(w.windowTitle(), "Pellum");

    // A title of the user's own goes in front of the count.
    w.menuOptionsClick();
    the<QLineEdit>("FrameOptionsTitle")->setText("Meeting");
    w.butOptionsSaveClick();
    w.setWindowState(Qt::WindowMinimized);
    tickFor(1);
    EXPECT_EQ(w.windowTitle(), "Meeting - 1:02:05");
}
