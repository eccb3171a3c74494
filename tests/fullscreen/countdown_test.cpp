#include "fullscreenfixture.h"

#include <QApplication>
#include <QDialog>

TEST_F(FullScreenTest, StartWithoutATimeAsksForOne)
{
    FullScreenVexlo& w = open();
    // Nothing was moved yet: Start is offered, and says what is missing.
    EXPECT_TRUE(item("menustart")->isVisible());
    w.menustartClick();
    auto* dialog = child<QDialog>("NoTimeSelected");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Full Screen Vexlo - No Time Selected");
    auto* label = dialog->findChild<QLabel*>("Label1");
    EXPECT_EQ(label->text(),
              "Use the Hours/Minutes and Seconds scroll bar to select a new time first!");
    EXPECT_LE(label->heightForWidth(label->width()), label->height());
    // 2250 twips high with its title bar.
    EXPECT_EQ(dialog->height(), clientSizeForOuter(0, 2250).height());
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(w.LabelFutureTime(), "LabelFutureTime");
    auto* ok = child<QPushButton>("butOK");
    EXPECT_EQ(ok->text(), "I Forgot");
    ok->click();
    EXPECT_FALSE(dialog->isVisible());

    // A time set and taken back to 0:00 hides Start.
    setTime(1, 0);
    EXPECT_TRUE(item("menustart")->isVisible());
    EXPECT_TRUE(item("sep1")->isVisible());
    setTime(0, 0);
    EXPECT_FALSE(item("menustart")->isVisible());
    EXPECT_FALSE(item("sep1")->isVisible());
}

TEST_F(FullScreenTest, ScrollBarsSetTheTimeTheTickShows)
{
    EXPECT_EQ(open().state().LabelScrollMinutes, "LabelScrollMinutes");
    struct Case {
        int minutes;
        int seconds;
        QString shown;
        QString text;
    };
    const Case cases[] = {
        {61, 5, " 1:01:05", "1:01:05"},   {1440, 59, "24:00:59", "24:00:59"},
        {0, 1, " 0:00:01", "0:00:01"},    {59, 59, " 0:59:59", "0:59:59"},
        {600, 7, "10:00:07", "10:00:07"}, {75, 0, " 1:15:00", "1:15:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        FullScreenVexlo& w = open();
        setTime(c.minutes, c.seconds);
        EXPECT_EQ(display(), c.shown);
        EXPECT_EQ(w.state().LabelScrollMinutes, QString::number(c.minutes));
        EXPECT_EQ(w.LabelSecondsInputted(), QString::number(c.minutes * 60 + c.seconds));
        EXPECT_EQ(w.state().LabelRemainingMinutes, QString::number(c.minutes));
        EXPECT_EQ(w.state().LabelRemainingSeconds, QString::number(c.seconds));

        w.menustartClick();
        w.Timer1Tick();
        EXPECT_EQ(display(), c.shown);
        EXPECT_EQ(w.state().LabelTimeRemaining, c.text);
        EXPECT_EQ(w.LabelSecondsRemaining(), QString::number(c.minutes * 60 + c.seconds));
    }
}

TEST_F(FullScreenTest, StartCountsDownFromTheClock)
{
    FullScreenVexlo& w = open();
    setTime(5, 0);
    item("menustart")->trigger();

    EXPECT_EQ(w.LabelFutureTime(), "12/25/2026 12:05:00 PM");
    auto* timer1 = child<QTimer>("Timer1");
    EXPECT_TRUE(timer1->isActive());
    EXPECT_EQ(timer1->interval(), 450);
    EXPECT_EQ(item("menustart")->text(), "Stop Full Screen Vexlo");
    for (const char* name :
         {"HScroll1", "HScroll2", "LabelUseScrollBar1", "LabelUseScrollBar2", "LabelStartClear"})
        EXPECT_FALSE(shown(name)) << name;
    for (const char* name : {"menuClear", "menuSave", "menuRetrieve", "sep2"})
        EXPECT_FALSE(item(name)->isVisible()) << name;

    tickEverySecond(1);
    EXPECT_EQ(display(), " 0:04:59");
    EXPECT_EQ(w.LabelSecondsRemaining(), "299");
    EXPECT_TRUE(sound.requests.isEmpty());
}

TEST_F(FullScreenTest, StopAndStartResumeAsTheTimingModeSays)
{
    // In Stopwatch mode the time spent stopped counts; Normal, the engine's default, leaves it out.
    FullScreenVexlo& w = open();
    item("menuTimingMode2")->trigger();
    setTime(1, 0);
    w.menustartClick();
    tickEverySecond(10);
    item("menustart")->trigger();

    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(item("menustart")->text(), "Start Full Screen Vexlo");
    EXPECT_TRUE(shown("LabelStartClear"));
    EXPECT_EQ(child<QLabel>("LabelStartClear")->text(), "Start the Vexlo or Clear this time!");
    EXPECT_FALSE(shown("HScroll1"));
    for (const char* name : {"menuClear", "menuSave", "menuRetrieve", "sep2"})
        EXPECT_TRUE(item(name)->isVisible()) << name;

    clock.advance(30);
    EXPECT_EQ(display(), " 0:00:50"); // held while stopped
    w.menustartClick();
    EXPECT_FALSE(shown("LabelStartClear"));
    w.Timer1Tick();
    EXPECT_EQ(display(), " 0:00:20");
}

TEST_F(FullScreenTest, TheTimingModeIsStoredOnlyWhenItChanges)
{
    FullScreenVexlo& w = open();
    EXPECT_TRUE(t.store.remove(fullscreenkeys::kTimingMode));
    item("menuTimingMode1")->trigger();
    EXPECT_TRUE(item("menuTimingMode1")->isChecked());
    EXPECT_EQ(t.store.get(fullscreenkeys::kTimingMode, "<absent>"), "<absent>");

    item("menuTimingMode2")->trigger();
    EXPECT_FALSE(w.normalMode());
    EXPECT_FALSE(item("menuTimingMode1")->isChecked());
    EXPECT_TRUE(item("menuTimingMode2")->isChecked());
    EXPECT_EQ(t.store.get(fullscreenkeys::kTimingMode), "False");
    item("menuTimingMode2")->trigger();
    EXPECT_TRUE(item("menuTimingMode2")->isChecked());
    item("menuTimingMode1")->trigger();
    EXPECT_EQ(t.store.get(fullscreenkeys::kTimingMode), "True");
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // A choice the disk refuses is made for this run and said to be lost.
    store.refuseWrites = true;
    item("menuTimingMode2")->trigger();
    EXPECT_FALSE(w.normalMode());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("The timing mode could not be saved"));
}

TEST_F(FullScreenTest, SaveDuringAPauseKeepsTheTimeLeft)
{
    FullScreenVexlo& w = open();
    EXPECT_FALSE(item("menuRetrieve")->isEnabled());
    setTime(10, 0);
    w.menustartClick();
    tickEverySecond(75);
    w.menustartClick();
    item("menuSave")->trigger();
    EXPECT_EQ(t.store.get(fullscreenkeys::kMinutes), "8");
    EXPECT_EQ(t.store.get(fullscreenkeys::kSeconds), "45");
    EXPECT_TRUE(item("menuRetrieve")->isEnabled());

    // Retrieved, it is a fresh run of 8:45 whatever the clock did meanwhile.
    clock.advance(1000);
    item("menuRetrieve")->trigger();
    EXPECT_EQ(bar(1)->value(), 8);
    EXPECT_EQ(bar(2)->value(), 45);
    EXPECT_EQ(w.LabelSecondsRemaining(), "0");
    EXPECT_EQ(display(), " 0:08:45");
    w.menustartClick();
    w.Timer1Tick();
    EXPECT_EQ(display(), " 0:08:45");
}

TEST_F(FullScreenTest, SaveBeforeAnyTimeStoresZeroesAndAFailedSaveSaysSo)
{
    FullScreenVexlo& w = open();
    w.menuSaveClick();
    EXPECT_EQ(t.store.get(fullscreenkeys::kMinutes), "0");
    EXPECT_EQ(t.store.get(fullscreenkeys::kSeconds), "0");

    open();
    setTime(3, 7);
    store.refuseWrites = true;
    window->menuSaveClick();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, "message");
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("This time could not be saved"));
    EXPECT_EQ(t.store.get(fullscreenkeys::kMinutes), "0");
    EXPECT_EQ(bar(1)->value(), 3);
}

TEST_F(FullScreenTest, ClearStartsOverWithTheScrollBars)
{
    FullScreenVexlo& w = open();
    setTime(2, 30);
    w.menustartClick();
    tickEverySecond(5);
    w.menustartClick();
    item("menuClear")->trigger();

    EXPECT_EQ(w.LabelSecondsRemaining(), "LabelSecondsRemaining");
    EXPECT_EQ(w.state().LabelTimeRemaining, "LabelTimeRemaining");
    EXPECT_EQ(w.LabelSecondsInputted(), "0");
    EXPECT_EQ(display(), " 0:00:00");
    for (const char* name : {"HScroll1", "HScroll2", "LabelUseScrollBar1", "LabelUseScrollBar2"})
        EXPECT_TRUE(shown(name)) << name;
    EXPECT_FALSE(shown("LabelStartClear"));
    EXPECT_EQ(w.focusWidget(), bar(1));
    EXPECT_EQ(child("Frame1")->x(), twips((19200 - 11600) / 2));

    w.menustartClick();
    EXPECT_TRUE(child("NoTimeSelected")->isVisible());
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
}

TEST_F(FullScreenTest, TimeUpBlinksRingsAndWaitsForAcknowledge)
{
    FullScreenVexlo& w = open();
    runOut(0, 3);

    EXPECT_EQ(sound.requests, QStringList{"Timer1.wav"});
    // Got ready at every tick before it.
    EXPECT_EQ(sound.prepared, (QStringList{"Timer1.wav", "Timer1.wav"}));
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(display(), " 0:00:00");
    EXPECT_EQ(w.state().LabelTimeRemaining, "LabelTimeRemaining");
    EXPECT_EQ(w.LabelSecondsInputted(), "0");
    EXPECT_EQ(bar(1)->value(), 0);
    EXPECT_EQ(bar(2)->value(), 0);
    EXPECT_TRUE(shown("Frame2"));
    EXPECT_EQ(child<QLabel>("LabelTimeIsUp")->text(), "Time Is Up!!!");
    EXPECT_EQ(child<QPushButton>("butAcknowledge")->text(), "&Acknowledge");
    EXPECT_EQ(w.focusWidget(), child("butAcknowledge"));
    EXPECT_TRUE(item("menuAcknowledge")->isVisible());
    EXPECT_FALSE(item("menustart")->isVisible());
    EXPECT_EQ(item("menustart")->text(), "Start Full Screen Vexlo");

    auto* timer2 = child<QTimer>("Timer2");
    EXPECT_TRUE(timer2->isActive());
    EXPECT_EQ(timer2->interval(), 400);
    for (const bool lit : {false, true, false, true}) {
        w.Timer2Tick();
        EXPECT_EQ(shown("Frame3"), lit);
    }
    w.Timer2Tick();
    // The menu keeps Start hidden until the alarm is acknowledged, by the button or the menu.
    EXPECT_FALSE(item("menustart")->isVisible());
    child<QPushButton>("butAcknowledge")->click();
    EXPECT_TRUE(item("menustart")->isVisible());
    EXPECT_FALSE(item("menuAcknowledge")->isVisible());
    EXPECT_FALSE(shown("Frame2"));
    EXPECT_FALSE(timer2->isActive());
    for (const char* name : {"HScroll1", "HScroll2", "LabelUseScrollBar1", "LabelUseScrollBar2"})
        EXPECT_TRUE(shown(name)) << name;
    EXPECT_TRUE(item("menuSave")->isVisible());

    // The next alarm starts lit, and the menu item acknowledges it too.
    runOut(0, 1);
    EXPECT_TRUE(shown("Frame3"));
    item("menuAcknowledge")->trigger();
    EXPECT_FALSE(shown("Frame2"));
    EXPECT_EQ(sound.requests.size(), 2);
}

TEST_F(FullScreenTest, TheSoundIsReadAgainAtTimeUp)
{
    FullScreenVexlo& w = open();
    EXPECT_EQ(w.state().LabelSound3, "Timer1.wav");
    setTime(0, 10);
    w.menustartClick();
    tickEverySecond(5);

    // Another copy saves a sound while this one runs.
    IniSettingsStore other(t.dir.path());
    EXPECT_TRUE(other.save(fullscreenkeys::kSound, "/sounds/bell.wav"));
    tickEverySecond(5);
    EXPECT_EQ(sound.requests, QStringList{"/sounds/bell.wav"});
    EXPECT_EQ(w.state().LabelSound3, "/sounds/bell.wav");

    // With the key gone, the player is asked for its alert sound.
    w.butAcknowledgeClick();
    EXPECT_TRUE(other.remove(fullscreenkeys::kSound));
    runOut(0, 2);
    EXPECT_EQ(sound.requests, (QStringList{"/sounds/bell.wav", ""}));
}
