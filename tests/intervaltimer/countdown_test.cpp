#include "vexlofixture.h"

#include <QApplication>
#include <QKeyEvent>

TEST_F(VexloTest, StartCountsDownFromTheClockOnceASecond)
{
    Vexlo& w = open();
    setTime(5, 0);
    child<QPushButton>("ButVexloStart")->click();

    EXPECT_EQ(w.LabelFutureTime1(), "12/25/2026 12:05:00 PM");
    auto* timer1 = child<QTimer>("Timer1");
    EXPECT_TRUE(timer1->isActive());
    EXPECT_EQ(timer1->interval(), 950);
    EXPECT_TRUE(shown("ButVexloStop"));
    EXPECT_FALSE(shown("ButVexloStart"));
    EXPECT_EQ(w.focusWidget(), child("ButVexloStop"));
    for (const char* name : {"HScroll1", "HScroll2", "FrameLabel1", "FrameLabel2"})
        EXPECT_FALSE(shown(name)) << name;
    EXPECT_TRUE(shown("FrameLabel4"));
    EXPECT_EQ(text("FrameLabel4"), "Stop the Vexlo timer or use the Action button!");
    for (const char* name : {"sep0", "menuRetrieve", "menuClear", "menuSave"})
        EXPECT_FALSE(item(name)->isVisible()) << name;

    tickEverySecond(1);
    EXPECT_EQ(display(), " 0:04:59");
    EXPECT_EQ(w.state().LabelTotalTimeRemaining1, "0 hours, 4 mins, 59 secs.");
    EXPECT_EQ(w.LabelSecondsRemaining1(), "299");
    EXPECT_EQ(w.windowTitle(), "Vexlo");
    EXPECT_TRUE(sound.requests.isEmpty());
}

TEST_F(VexloTest, StopAndStartResumeAsTheTimingModeSays)
{
    // In StopWatch mode the time spent stopped counts; Normal, the engine's default, leaves it out.
    Vexlo& w = open();
    item("menuMode2")->trigger();
    setTime(1, 0);
    w.StartStopTimer();
    tickEverySecond(20);
    child<QPushButton>("ButVexloStop")->click();

    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_TRUE(shown("ButVexloStart"));
    EXPECT_FALSE(shown("ButVexloStop"));
    EXPECT_EQ(w.focusWidget(), child("ButVexloStart"));
    EXPECT_EQ(text("FrameLabel4"), "Start the Vexlo timer or use the Action button!");
    EXPECT_FALSE(shown("HScroll1"));
    for (const char* name : {"menuRetrieve", "menuClear", "menuSave"})
        EXPECT_TRUE(item(name)->isVisible()) << name;
    EXPECT_FALSE(item("menuRetrieve")->isEnabled());

    clock.advance(30);
    EXPECT_EQ(display(), " 0:00:40"); // frozen while stopped
    w.StartStopTimer();
    w.Timer1Tick();
    EXPECT_EQ(display(), " 0:00:10");
}

TEST_F(VexloTest, MinimisedItShowsTheTimeLeftInItsTitle)
{
    Vexlo& w = open();
    setTime(5, 0);
    w.StartStopTimer();
    w.setWindowState(Qt::WindowMinimized);
    tickEverySecond(1);
    EXPECT_EQ(w.windowTitle(), "Vexlo - 0:04:59");
    tickEverySecond(299 - 65);
    EXPECT_EQ(w.windowTitle(), "Vexlo - 0:01:05");

    w.setWindowState(Qt::WindowNoState);
    tickEverySecond(1);
    EXPECT_EQ(w.windowTitle(), "Vexlo");

    // The alarm brings a minimised window back.
    w.setWindowState(Qt::WindowMinimized);
    tickEverySecond(64);
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(w.windowTitle(), "Vexlo");
}

TEST_F(VexloTest, ALateTickPastZeroRingsJustAsZeroDoes)
{
    for (const int late : {0, 1, 7, 100000}) {
        SCOPED_TRACE(late);
        Vexlo& w = open();
        setTime(0, 3);
        w.StartStopTimer();
        clock.advance(3 + late);
        w.Timer1Tick();

        EXPECT_EQ(w.LabelSecondsRemaining1(), QString::number(-late));
        EXPECT_EQ(display(), " 0:00:00");
        EXPECT_EQ(w.state().LabelTimeRemaining1, "0:00:00");
        EXPECT_EQ(w.state().LabelTotalTimeRemaining1, "Time Is Up!");
        EXPECT_EQ(sound.requests, QStringList{"Timer1.wav"});
        EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
        EXPECT_EQ(w.LabelSecondsInputted1(), "0");
        EXPECT_EQ(bar(1)->value(), 0);
        EXPECT_EQ(bar(2)->value(), 0);
        EXPECT_FALSE(shown("FrameVexlo1"));
        EXPECT_TRUE(shown("FrameVexlo2"));
        EXPECT_TRUE(child<QTimer>("Timer2")->isActive());
        sound.requests.clear();
    }
}

TEST_F(VexloTest, TheAlarmUsesTheSoundAndMessageStoredMeanwhile)
{
    Vexlo& w = open();
    EXPECT_EQ(w.state().LabelSound1, "Timer1.wav");
    setTime(0, 10);
    w.StartStopTimer();
    tickEverySecond(5);
    EXPECT_EQ(sound.prepared.last(), "Timer1.wav");

    // Another Vexlo saves its choices while this one runs.
    IniSettingsStore other(t.dir.path());
    EXPECT_TRUE(other.save(timerkeys::kSound, "/sounds/bell.wav"));
    EXPECT_TRUE(other.save(timerkeys::kMessage, "Tea is ready"));
    tickEverySecond(5);

    // What was got ready is what rings.
    EXPECT_EQ(sound.prepared.last(), "/sounds/bell.wav");
    EXPECT_EQ(sound.requests, QStringList{"/sounds/bell.wav"});
    EXPECT_EQ(w.state().LabelSound1, "/sounds/bell.wav");
    EXPECT_EQ(text("FrameLabel6"), "Tea is ready");
    EXPECT_TRUE(shown("FrameLabel6"));
    EXPECT_EQ(w.focusWidget(), child("ButVexloAcknowlegde"));

    // A sound cleared in the store asks the player for its alert sound.
    w.ButVexloAcknowlegdeClick();
    EXPECT_TRUE(other.save(timerkeys::kSound, ""));
    runOut(0, 2);
    EXPECT_EQ(sound.requests, (QStringList{"/sounds/bell.wav", ""}));
}

TEST_F(VexloTest, TheMessageFlashesLongOnShortOff)
{
    Vexlo& w = open();
    runOut(0, 1);
    auto* timer2 = child<QTimer>("Timer2");
    EXPECT_EQ(timer2->interval(), 750);

    const bool shownAfter[] = {false, true, false, true};
    const int intervalAfter[] = {300, 1500, 300, 1500};
    for (int i = 0; i < 4; ++i) {
        w.Timer2Tick();
        EXPECT_EQ(shown("FrameLabel6"), shownAfter[i]) << i;
        EXPECT_EQ(timer2->interval(), intervalAfter[i]) << i;
        EXPECT_TRUE(timer2->isActive());
    }

    // An empty stored message flashes the default one; a new one shows at the next flash.
    EXPECT_TRUE(t.store.save(timerkeys::kMessage, ""));
    w.Timer2Tick();
    EXPECT_EQ(text("FrameLabel6"),
              "Click on the ACTION button, then SET OPTIONS to change this message!");
    EXPECT_TRUE(t.store.save(timerkeys::kMessage, "<b>Tea</b> & biscuits"));
    w.Timer2Tick();
    EXPECT_EQ(text("FrameLabel6"), "<b>Tea</b> & biscuits");
    // Shown as typed, never as markup.
    EXPECT_EQ(child<QLabel>("FrameLabel6")->textFormat(), Qt::PlainText);

    // Short or long, the message is shown whole; a short one in large letters.
    auto* message = child<QLabel>("FrameLabel6");
    const int shortSize = message->font().pointSize();
    EXPECT_GT(shortSize, QApplication::font().pointSize());
    const QString longMessage = QStringLiteral("Take the bread out of the oven now. ").repeated(8);
    EXPECT_TRUE(t.store.save(timerkeys::kMessage, longMessage));
    w.Timer2Tick();
    EXPECT_EQ(message->text(), longMessage);
    EXPECT_LE(message->heightForWidth(message->width()), message->height());
    EXPECT_LT(message->font().pointSize(), shortSize);
}

TEST_F(VexloTest, OkLeavesTheAlarmReadyForANewTime)
{
    EXPECT_TRUE(t.store.save(timerkeys::kSavedMinutes, "3"));
    Vexlo& w = open();
    runOut(2, 0);
    child<QPushButton>("ButVexloAcknowlegde")->click();

    EXPECT_TRUE(shown("FrameVexlo1"));
    EXPECT_FALSE(shown("FrameVexlo2"));
    EXPECT_FALSE(child<QTimer>("Timer2")->isActive());
    for (const char* name : {"HScroll1", "HScroll2", "FrameLabel1", "FrameLabel2", "FrameLabel3"})
        EXPECT_TRUE(shown(name)) << name;
    for (const char* name : {"FrameLabel4", "ButVexloStop", "ButVexloStart"})
        EXPECT_FALSE(shown(name)) << name;
    EXPECT_EQ(w.focusWidget(), bar(1));
    EXPECT_EQ(display(), " 0:00:00");
    // The time items are back, so a saved time can be fetched at once.
    for (const char* name : {"menuRetrieve", "menuClear", "menuSave"})
        EXPECT_TRUE(item(name)->isVisible()) << name;
    EXPECT_TRUE(item("menuRetrieve")->isEnabled());
}

TEST_F(VexloTest, TheBarsAndStartAnswerTheKeys)
{
    Vexlo& w = open();
    auto press = [](QWidget* target, int key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &down);
        QApplication::sendEvent(target, &up);
    };
    // The bars move with the arrow and page keys.
    EXPECT_EQ(bar(1)->focusPolicy(), Qt::StrongFocus);
    press(bar(1), Qt::Key_Right);
    press(bar(1), Qt::Key_PageUp);
    press(bar(2), Qt::Key_PageUp);
    press(bar(2), Qt::Key_Left);
    EXPECT_EQ(display(), " 0:16:04");
    EXPECT_TRUE(shown("ButVexloStart"));
    press(child("ButVexloStart"), Qt::Key_Space);
    EXPECT_TRUE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(w.LabelSecondsInputted1(), "964");
}
