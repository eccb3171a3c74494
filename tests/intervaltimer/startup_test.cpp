#include "vexlofixture.h"

#include "twips.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

const QString kAbsent = QStringLiteral("<absent>");

} // namespace

TEST_F(VexloTest, FirstRunStoresItsOwnDefaultsAndStartsWithNoTimeSet)
{
    Vexlo& w = open();
    struct Case {
        QString key;
        QString value;
    };
    const Case keys[] = {
        {timerkeys::kMessage,
         "Click on the ACTION button, then SET OPTIONS to change this message!"},
        {timerkeys::kSound, "Timer1.wav"},
        {timerkeys::kSavedMinutes, kAbsent},
        {timerkeys::kSavedSeconds, kAbsent},
    };
    for (const Case& c : keys)
        EXPECT_EQ(t.store.get(c.key, kAbsent), c.value) << c.key.toStdString();

    EXPECT_EQ(w.state().LabelSound1, "Timer1.wav");
    EXPECT_FALSE(item("menuRetrieve")->isEnabled());
    for (const char* name : {"FrameVexlo1", "FrameLabel3", "HScroll1", "HScroll2", "FrameLabel1",
                             "FrameLabel2", "ButVexloAction"})
        EXPECT_TRUE(shown(name)) << name;
    for (const char* name : {"FrameVexlo2", "ButVexloStart", "ButVexloStop", "FrameLabel4"})
        EXPECT_FALSE(shown(name)) << name;
    EXPECT_EQ(w.focusWidget(), bar(1));
}

TEST_F(VexloTest, LaterRunsReadWhatIsStoredAndRewriteNothing)
{
    // A program folder that is here but has lost its skins.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + u'/';
    const SettingsStore::Values stored = {
        {timerkeys::kWindow.path, path},          {timerkeys::kWindow.background, "Granite1.gif"},
        {timerkeys::kWindow.foreColor1, "255"},   {timerkeys::kWindow.foreColor2, "0"},
        {timerkeys::kMessage, "Tea is ready"},    {timerkeys::kSound, "/sounds/bell.wav"},
        {timerkeys::kWindow.mode, "True"},        {timerkeys::kWindow.positionLeft, "3000"},
        {timerkeys::kWindow.positionTop, "1500"}, {timerkeys::kWindow.alwaysOnTop, "0"},
        {timerkeys::kSavedMinutes, "70"},
    };
    ASSERT_TRUE(t.store.saveAll(stored));
    Vexlo& w = open();

    EXPECT_EQ(w.skins().fields().LabelPath, path);
    EXPECT_EQ(w.skins().fields().LabelPicture1, "Granite1.gif");
    EXPECT_EQ(w.skins().fields().LabelColor1, "255");
    EXPECT_EQ(w.skins().fields().LabelColor2, "0");
    EXPECT_EQ(w.state().LabelSound1, "/sounds/bell.wav");
    EXPECT_EQ(text("FrameLabel6"), "Tea is ready");
    EXPECT_EQ(w.pos(), QPoint(twips(3500), twips(2000)));
    EXPECT_TRUE(item("menuRetrieve")->isEnabled());
    EXPECT_EQ(stacking.calls, QStringList{"normal"});
    EXPECT_FALSE(item("menuAlwaysOnTop")->isChecked());
    EXPECT_TRUE(item("menuBackgroundGranite1")->isChecked());
    // The skin cannot be found in the stored folder.
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("Vexlo Error #10."));
    for (const auto& [key, value] : stored)
        EXPECT_EQ(t.store.get(key), value) << key.toStdString();
    EXPECT_EQ(t.store.get(timerkeys::kWindow.runDefaultColors, kAbsent), kAbsent);
}

TEST_F(VexloTest, SaveRetrieveAndClearATime)
{
    Vexlo& w = open();
    setTime(75, 0);
    w.StartStopTimer();
    tickEverySecond(275);
    w.StartStopTimer();
    ASSERT_EQ(display(), " 1:10:25");

    item("menuSave")->trigger();
    EXPECT_EQ(t.store.get(timerkeys::kSavedMinutes), "70");
    EXPECT_EQ(t.store.get(timerkeys::kSavedSeconds), "25");
    EXPECT_TRUE(item("menuRetrieve")->isEnabled());
    EXPECT_TRUE(dialogs.shown.isEmpty());

    item("menuClear")->trigger();
    EXPECT_EQ(display(), " 0:00:00");
    EXPECT_EQ(bar(1)->value(), 0);
    EXPECT_EQ(bar(2)->value(), 0);
    EXPECT_EQ(w.LabelSecondsRemaining1(), "0");
    EXPECT_EQ(w.LabelSecondsInputted1(), "0");
    for (const char* name : {"HScroll1", "HScroll2", "FrameLabel1", "FrameLabel2", "FrameLabel3"})
        EXPECT_TRUE(shown(name)) << name;
    for (const char* name : {"FrameLabel4", "ButVexloStart", "ButVexloStop"})
        EXPECT_FALSE(shown(name)) << name;
    EXPECT_EQ(w.focusWidget(), bar(1));

    item("menuRetrieve")->trigger();
    EXPECT_EQ(bar(1)->value(), 70);
    EXPECT_EQ(bar(2)->value(), 25);
    EXPECT_EQ(display(), " 1:10:25");
    EXPECT_TRUE(shown("ButVexloStart"));
    EXPECT_FALSE(shown("FrameLabel4"));
    EXPECT_EQ(w.focusWidget(), child("ButVexloStart"));

    // The retrieved time runs in full, from now.
    w.StartStopTimer();
    EXPECT_EQ(w.LabelFutureTime1(), "12/25/2026 01:15:00 PM");
}

TEST_F(VexloTest, RetrieveCopesWithAHandEditedSavedTime)
{
    struct Case {
        QString minutes;
        QString seconds;
        QString shown;
    };
    const Case cases[] = {
        {"abc", "x", " 0:00:00"},  {"99999", "75", "24:00:59"},
        {"-5", "-1", " 0:00:00"},  {" 70 ", "25", " 1:10:25"},
        {"70.5", "2", " 0:00:02"}, {QString(100000, u'9'), "", "24:00:00"},
    };
    Vexlo& w = open();
    for (const Case& c : cases) {
        EXPECT_TRUE(t.store.saveAll(
            {{timerkeys::kSavedMinutes, c.minutes}, {timerkeys::kSavedSeconds, c.seconds}}));
        w.menuRetrieveClick();
        EXPECT_EQ(display(), c.shown) << c.minutes.left(10).toStdString();
    }
}

TEST_F(VexloTest, ATimeTheStoreRefusesIsReportedNotOffered)
{
    // The settings file cannot be written where a folder stands in its place.
    ASSERT_TRUE(QDir(t.dir.path()).mkdir("Orvane.conf"));
    Vexlo& w = open();
    EXPECT_EQ(display(), " 0:00:00");
    EXPECT_EQ(w.state().LabelSound1, "Timer1.wav");

    setTime(3, 0);
    w.menuSaveClick();
    ASSERT_EQ(dialogs.shown.size(), 2); // the first run's settings, then this time
    EXPECT_TRUE(dialogs.shown[1].text.startsWith("This time could not be saved"));
    EXPECT_FALSE(item("menuRetrieve")->isEnabled());
}

TEST_F(VexloTest, AStoredPlaceOffEveryScreenComesBackOnTheScreen)
{
    struct Case {
        QString left;
        QString top;
        QPoint place;
    };
    const Case cases[] = {
        {"-90000", "200", {twips(200), twips(200)}},
        {"200", "99999999", {twips(200), twips(200)}},
        {"abc", "", {twips(500), twips(500)}},
        {"1500", "750", {twips(2000), twips(1250)}},
    };
    for (const Case& c : cases) {
        TempStore fresh;
        EXPECT_TRUE(fresh.store.saveAll({{timerkeys::kWindow.path, "/opt/vexlo/"},
                                         {timerkeys::kWindow.positionLeft, c.left},
                                         {timerkeys::kWindow.positionTop, c.top}}));
        auto made = make(fresh.store);
        Vexlo& w = *made;
        EXPECT_EQ(w.pos(), c.place) << c.left.toStdString() << ", " << c.top.toStdString();
    }
}
