#include "fullscreenfixture.h"

#include <QDialog>
#include <QTest>

TEST_F(FullScreenTest, FirstStartWritesItsFiveKeys)
{
    FullScreenVexlo& w = open(false);
    // The options and About windows come once the timer is drawn.
    EXPECT_EQ(w.findChild<QDialog*>("Options"), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.findChild<QDialog*>("frmAbout"); }));
    const std::pair<QString, QString> written[] = {
        {fullscreenkeys::kPath, VEXLO_PROGRAM_DIR},
        {fullscreenkeys::kLargeDisplay, "False"},
        {fullscreenkeys::kTimingMode, "True"},
        {fullscreenkeys::kMessage, "Click anywhere on the screen to set the Screen Size, or on Set "
                                   "Options to customize this message!"},
        {fullscreenkeys::kSound, "Timer1.wav"},
    };
    for (const auto& [key, value] : written)
        EXPECT_EQ(t.store.get(key), value) << key.toStdString();
    for (const QString& key : {fullscreenkeys::kMinutes, fullscreenkeys::kSeconds})
        EXPECT_EQ(t.store.get(key, "<absent>"), "<absent>") << key.toStdString();

    EXPECT_EQ(w.state().LabelPath, VEXLO_PROGRAM_DIR);
    EXPECT_EQ(w.state().LabelSound3, "Timer1.wav");
    EXPECT_EQ(child<QLabel>("LabelMessage")->text(), written[3].second);
    EXPECT_TRUE(item("menuScreenSize1")->isChecked());
    EXPECT_TRUE(item("menuTimingMode1")->isChecked());
    EXPECT_FALSE(item("menuTimingMode2")->isChecked());
    EXPECT_FALSE(item("menuRetrieve")->isEnabled());
    auto* timer1 = child<QTimer>("Timer1");
    EXPECT_FALSE(timer1->isActive());
    EXPECT_EQ(timer1->interval(), 450);
    EXPECT_EQ(display(), " 0:00:00");
    EXPECT_EQ(bar(1)->maximum(), 1440);
    EXPECT_EQ(bar(1)->pageStep(), 15);
    EXPECT_EQ(bar(2)->maximum(), 59);
    EXPECT_EQ(bar(2)->pageStep(), 10);
    EXPECT_FALSE(shown("Frame2"));
    EXPECT_FALSE(shown("LabelStartClear"));
    EXPECT_EQ(w.focusWidget(), bar(1));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FullScreenTest, StoredChoicesAreReadAndKept)
{
    const SettingsStore::Values stored = {
        {fullscreenkeys::kPath, "/home/me/sounds/"},
        {fullscreenkeys::kLargeDisplay, "True"},
        {fullscreenkeys::kTimingMode, "False"},
        {fullscreenkeys::kMessage, "Exam ends at noon"},
        {fullscreenkeys::kSound, "/home/me/sounds/gong.wav"},
        {fullscreenkeys::kMinutes, "25"},
    };
    ASSERT_TRUE(t.store.saveAll(stored));
    FullScreenVexlo& w = open();

    EXPECT_EQ(w.state().LabelPath, "/home/me/sounds/");
    EXPECT_TRUE(item("menuScreenSize2")->isChecked());
    EXPECT_FALSE(item("menuScreenSize1")->isChecked());
    EXPECT_EQ(child("Image1")->height(), twips(4500));
    EXPECT_TRUE(item("menuTimingMode2")->isChecked());
    EXPECT_FALSE(w.normalMode());
    EXPECT_EQ(child<QLabel>("LabelMessage")->text(), "Exam ends at noon");
    EXPECT_EQ(w.state().LabelSound3, "/home/me/sounds/gong.wav");
    EXPECT_TRUE(item("menuRetrieve")->isEnabled());
}

TEST_F(FullScreenTest, TheLargerScreenComesBackAtTheNextStart)
{
    open();
    item("menuScreenSize2")->trigger();
    window.reset();

    open();
    EXPECT_TRUE(item("menuScreenSize2")->isChecked());
    EXPECT_EQ(child("Frame1")->geometry(), twipsRect(1100, 3800, 17000, 5700));
    EXPECT_EQ(display(), " 0:00:00");
}

TEST_F(FullScreenTest, AStoreThatRefusesWritesStillStartsAsAFirstRun)
{
    store.refuseWrites = true;
    FullScreenVexlo& w = open();
    EXPECT_TRUE(w.normalMode());
    EXPECT_TRUE(item("menuScreenSize1")->isChecked());
    EXPECT_EQ(w.state().LabelSound3, "Timer1.wav");
    EXPECT_EQ(child<QLabel>("LabelMessage")->text(),
              QString::fromUtf8(fullscreenkeys::kDefaultMessage));
    EXPECT_TRUE(dialogs.shown.value(0).text.startsWith("The settings could not be saved"));

    // A screen size chosen now shows, and says it will not be remembered.
    item("menuScreenSize2")->trigger();
    EXPECT_EQ(child("Image1")->height(), twips(4500));
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown[1].text.startsWith("The screen size could not be saved"));
}

TEST_F(FullScreenTest, RetrieveHoldsAStoredTimeToTheScrollBars)
{
    struct Case {
        QString minutes;
        QString seconds;
        int minutesSet;
        int secondsSet;
    };
    const Case cases[] = {
        {"61", "5", 61, 5}, {"1440", "59", 1440, 59}, {"5000", "75", 1440, 59},
        {"-3", "-1", 0, 0}, {"abc", "", 0, 0},        {"LabelRemainingMinutes", "7", 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minutes.toStdString() + ":" + c.seconds.toStdString());
        EXPECT_TRUE(t.store.saveAll(
            {{fullscreenkeys::kMinutes, c.minutes}, {fullscreenkeys::kSeconds, c.seconds}}));
        FullScreenVexlo& w = open();
        ASSERT_TRUE(item("menuRetrieve")->isEnabled());
        w.menuRetrieveClick();
        EXPECT_EQ(bar(1)->value(), c.minutesSet);
        EXPECT_EQ(bar(2)->value(), c.secondsSet);
        EXPECT_EQ(w.LabelSecondsInputted(),
                  QString::number(c.minutesSet * 60 + c.secondsSet));
    }
}
