#include "almanorfixture.h"

#include "trackertexts.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QSignalSpy>
#include <QTimeZone>
#include <QTimer>

TEST_F(AlmanorTest, CountsDownAndRingsInTheLastSecondOnly)
{
    clock.set(QDateTime(QDate(2026, 12, 25), QTime(12, 0, 0)));
    storeEvent(3, "Lunch", "12/25/2026", "12:00:10 PM", "Timer1.wav");
    storeEvent(1, "Tea", "12/25/2026", "12:00:50 PM", "/sounds/tea.wav");
    storeEvent(2, "Dinner", "12/25/2026", "06:00:00 PM", "/sounds/dinner.wav");
    Almanor& w = open();
    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining3"), "0 days, 0 hrs, 0 mins, 10 secs.");
    // The soonest event's sound is got ready, whatever its slot.
    EXPECT_EQ(sound.prepared, QStringList{"Timer1.wav"});

    for (int left = 9; left >= 1; --left) {
        tickEverySecond(1);
        EXPECT_EQ(label("LabelRemaining3"),
                  QStringLiteral("0 days, 0 hrs, 0 mins, %1 secs.").arg(left));
        EXPECT_EQ(sound.requests.size(), left == 1 ? 1 : 0) << "at " << left << " s left";
    }
    EXPECT_EQ(sound.requests, QStringList{"Timer1.wav"});
    EXPECT_EQ(w.state().slot[2].LabelDaysOnly, "0 days");
    EXPECT_EQ(w.state().slot[2].LabelTimeOnly, "0:00:01");

    // Two ticks in the last second ask twice; the second restarts the sound.
    w.Timer1Tick();
    EXPECT_EQ(sound.requests.size(), 2);

    tickEverySecond(1);
    EXPECT_EQ(label("LabelRemaining3"), "Time Is Up!");
    EXPECT_EQ(child<QLabel>("LabelDate3")->palette().color(QPalette::Text), Almanor::kDueColour);
    // A due slot keeps the texts of its last pending tick.
    EXPECT_EQ(w.state().slot[2].LabelDaysOnly, "0 days");

    tickEverySecond(5);
    EXPECT_EQ(label("LabelRemaining3"), "Time Is Up!");
    EXPECT_EQ(sound.requests.size(), 2);
    // Then the next one; an event hours away is not got ready yet.
    EXPECT_EQ(sound.prepared.last(), "/sounds/tea.wav");
    EXPECT_FALSE(sound.prepared.contains("/sounds/dinner.wav"));
}

TEST_F(AlmanorTest, EventsDueInTheSameSecondRingInSlotOrder)
{
    storeEvent(7, "Second", "12/25/2026", "12:00:02 PM", "/sounds/b.wav");
    storeEvent(2, "First", "12/25/2026", "12:00:02 PM", "/sounds/a.wav");
    storeEvent(4, "No sound chosen", "12/25/2026", "12:00:02 PM");
    Almanor& w = open();
    w.Timer1Tick();
    EXPECT_TRUE(sound.requests.isEmpty());
    tickEverySecond(1);
    // An empty path asks for the desktop's default alert.
    EXPECT_EQ(sound.requests, (QStringList{"/sounds/a.wav", "", "/sounds/b.wav"}));
    tickEverySecond(1);
    for (const char* name : {"LabelRemaining2", "LabelRemaining4", "LabelRemaining7"})
        EXPECT_EQ(label(name), "Time Is Up!") << name;
}

TEST_F(AlmanorTest, AnEventPastAtStartUpIsDueWithoutASound)
{
    storeEvent(1, "Yesterday", "12/24/2026", "12:00:00 PM", "Timer1.wav");
    storeEvent(5, "One second ago", "12/25/2026", "11:59:59 AM", "Timer1.wav");
    storeEvent(6, "Now", "12/25/2026", "12:00:00 PM", "Timer1.wav");
    Almanor& w = open();
    w.Timer1Tick();
    for (const char* name : {"LabelRemaining1", "LabelRemaining5", "LabelRemaining6"})
        EXPECT_EQ(label(name), "Time Is Up!") << name;
    EXPECT_TRUE(sound.requests.isEmpty());
    EXPECT_EQ(w.state().slot[0].LabelDaysOnly, "");
}

TEST_F(AlmanorTest, UnreadableAndOutOfRangeTargetsAreNeverCountedDown)
{
    storeEvent(1, "Far", "12/25/2096", "12:00:00 PM");
    storeEvent(2, "Garbage date", "25.12.2026", "12:00:05 PM");
    storeEvent(3, "Garbage time", "12/25/2026", "noon");
    storeEvent(4, "Good", "12/25/2026", "12:00:02 PM");
    storeEvent(5, "Just in range", "01/07/2095", "12:00:00 PM"); // 24,850 days ahead
    Almanor& w = open();
    for (int i = 0; i < 6; ++i) {
        w.Timer1Tick();
        EXPECT_EQ(label("LabelRemaining1"), kMoreThanEnough);
        EXPECT_EQ(label("LabelRemaining2"), "");
        EXPECT_EQ(label("LabelDate2"), "25.12.2026");
        EXPECT_EQ(label("LabelRemaining3"), "");
        clock.advance(1);
    }
    EXPECT_EQ(label("LabelRemaining4"), "Time Is Up!");
    EXPECT_EQ(sound.requests, QStringList{""}) << "only the readable event rings";
    EXPECT_EQ(label("LabelRemaining5"), "24,849 days, 23 hrs, 59 mins, 55 secs.");
}

TEST_F(AlmanorTest, DaylightSavingChangesNeitherStretchNorMoveAnEvent)
{
    ASSERT_EQ(QTimeZone::systemTimeZoneId(), "America/New_York");

    // Spring: 2:00 becomes 3:00, so from 1:59:00 to 3:00:00 on the wall is one real minute.
    clock.set(QDateTime(QDate(2026, 3, 8), QTime(1, 59, 0)));
    storeEvent(1, "Spring", "03/08/2026", "03:00:00 AM");
    // Autumn: 2:00 becomes 1:00 again, so midnight to 3:00 on the wall is four real hours.
    storeEvent(2, "Autumn", "11/01/2026", "03:00:00 AM");
    Almanor& w = open();
    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining1"), "0 days, 0 hrs, 1 mins, 0 secs.");

    tickEverySecond(59);
    EXPECT_EQ(label("LabelRemaining1"), "0 days, 0 hrs, 0 mins, 1 secs.");
    tickEverySecond(1);
    EXPECT_EQ(clock.now().time(), QTime(3, 0, 0)) << "the wall clock skipped the hour";
    EXPECT_EQ(label("LabelRemaining1"), "Time Is Up!");

    clock.set(QDateTime(QDate(2026, 11, 1), QTime(0, 0, 0)));
    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining2"), "0 days, 4 hrs, 0 mins, 0 secs.");
    clock.set(QDateTime(QDate(2026, 11, 1), QTime(2, 59, 59)));
    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining2"), "0 days, 0 hrs, 0 mins, 1 secs.");
    clock.set(QDateTime(QDate(2026, 11, 1), QTime(3, 0, 0)));
    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining2"), "Time Is Up!");
}

TEST_F(AlmanorTest, ATimeTheClocksSkipCountsToWhenTheyReachIt)
{
    ASSERT_EQ(QTimeZone::systemTimeZoneId(), "America/New_York");
    // On 14 March 2027 2:00 becomes 3:00: there is no 02:30 AM, and the clocks reach it at 3:30.
    clock.set(QDateTime(QDate(2027, 3, 14), QTime(3, 29, 58)));
    storeEvent(3, "Gap", "03/14/2027", "02:30:00 AM", "Timer1.wav");
    Almanor& w = open();
    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining3"), "0 days, 0 hrs, 0 mins, 2 secs.");
    tickEverySecond(1);
    EXPECT_EQ(sound.requests, QStringList{"Timer1.wav"});
    tickEverySecond(1);
    EXPECT_EQ(label("LabelRemaining3"), "Time Is Up!");

    // The editor shows the time the event counts to, and says so when that time is picked.
    auto list = [&](const char* name) { return child<QComboBox>(name); };
    w.MessageEditClick(3);
    EXPECT_EQ(list("OptionsSetHours")->currentText() + list("OptionsSetMinutes")->currentText(),
              "0330");
    list("OptionsSetHours")->setCurrentText("02");
    w.butEditSaveClick();
    EXPECT_EQ(t.store.get(trackerkeys::slotKey(3, trackerkeys::SlotField::Time)), "03:30:00 AM");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              "There is no 02:30:00 AM on 03/14/2027: the clocks go forward past it that night. "
              "Message 3 is set for 03:30:00 AM, the moment the clocks reach it.");
}

TEST_F(AlmanorTest, TheGridListsEventsByDateWithTheChosenDetail)
{
    storeEvent(1, "Party", "12/25/2026", "12:00:00 PM"); // due
    storeEvent(2, "Later", "01/06/2027", "01:46:40 AM"); // 11 days, 13:46:40
    storeEvent(3, "Soon", "12/25/2026", "01:23:20 PM");  // 0 days, 1:23:20
    storeEvent(4, "", "12/26/2026", "12:00:00 PM");      // no message: no line
    storeEvent(5, "Apple", "12/25/2026", "02:00:00 PM");
    EXPECT_TRUE(t.store.save(trackerkeys::kView, "2"));
    Almanor& w = open();
    w.Timer1Tick();
    w.Timer2Tick();

    auto lines = [&] {
        QStringList shown;
        auto* list = child<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i)
            shown.append(list->item(i)->text());
        return shown;
    };
    EXPECT_EQ(lines(), (QStringList{
                           "2026-12-25    Apple  -  0 days  and  2:00:00",
                           "2026-12-25    Party  -  Time Is Up!",
                           "2026-12-25    Soon  -  0 days  and  1:23:20",
                           "2027-01-06    Later  -  11 days  and  13:46:40",
                       }));

    EXPECT_TRUE(t.store.save(trackerkeys::kDateTimeOption, "2"));
    w.Timer2Tick();
    EXPECT_EQ(lines(), (QStringList{
                           "2026-12-25    Apple  -  less than 24 hours",
                           "2026-12-25    Party  -  Time Is Up!",
                           "2026-12-25    Soon  -  less than 24 hours",
                           "2027-01-06    Later  -  11 days",
                       }));
}

TEST_F(AlmanorTest, TheDayDifferenceFollowsTheCalendarWhileTheEditorIsOpen)
{
    Almanor& w = open();
    auto* calendar = child<QCalendarWidget>("Calendar1");
    // Its refresh sleeps while the editor, which shows it, is closed.
    auto* timer3 = child<QTimer>("Timer3");
    EXPECT_FALSE(timer3->isActive());
    w.MessageEditClick(1);
    EXPECT_TRUE(timer3->isActive());
    struct Case {
        QDate date;
        const char* text;
    };
    const Case cases[] = {
        {QDate(2026, 12, 25), "The difference between today and your date is 0 days."},
        {QDate(2026, 12, 15), "The difference between today and your date is 10 days."},
        {QDate(2027, 1, 4), "The difference between today and your date is 10 days."},
        {QDate(2026, 12, 26), "The difference between today and your date is 1 days."},
    };
    for (const Case& c : cases) {
        calendar->setSelectedDate(c.date);
        w.Timer3Tick();
        EXPECT_EQ(label("LabelDateDiff"), c.text);
    }
    w.butEditCancelClick();
    EXPECT_FALSE(timer3->isActive());
}

TEST_F(AlmanorTest, HugeMessagesAreShownCutAndTheGridRedoesOnlyChangedLines)
{
    // Fifteen messages of 1 MB, stored by other means (the editor takes 75 characters).
    SettingsStore::Values values;
    for (int n = 1; n <= 15; ++n) {
        using trackerkeys::SlotField;
        values.append({trackerkeys::slotKey(n, SlotField::Message),
                       QStringLiteral("Event %1 ").arg(n, 2) + QString(1 << 20, u'x')});
        values.append({trackerkeys::slotKey(n, SlotField::Date), "12/26/2026"});
        values.append({trackerkeys::slotKey(n, SlotField::Time), "12:00:00 PM"});
    }
    // With the first-start keys in place, so that opening writes nothing.
    values += {{trackerkeys::kView, "2"},
               {trackerkeys::kPath, VEXLO_PROGRAM_DIR},
               {trackerkeys::kCalendarOption, "1"},
               {trackerkeys::kDateTimeOption, "1"},
               {trackerkeys::kSavedDate, "12/25/2026"}};
    EXPECT_TRUE(t.store.saveAll(values));
    Almanor& w = open();
    w.Timer1Tick();
    w.Timer2Tick();

    auto* list = child<QListWidget>("List1");
    ASSERT_EQ(list->count(), 15);
    for (int i = 0; i < list->count(); ++i) {
        const QString line = list->item(i)->text();
        EXPECT_LT(line.size(), 250) << i;
        EXPECT_TRUE(line.startsWith(QStringLiteral("2026-12-26    Event %1 xxx").arg(i + 1, 2)));
        EXPECT_TRUE(line.endsWith(QString::fromUtf8("x…  -  1 day  and  0:00:00"))) << i;
        EXPECT_LT(label(QStringLiteral("Message%1").arg(i + 1)).size(), 200) << i;
    }

    // Each second changes the time of every line, and only that; a second without a change
    // touches nothing.
    QSignalSpy changed(list->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy added(list->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(list->model(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(list->model(), &QAbstractItemModel::modelReset);
    for (int second = 0; second < 3; ++second) {
        tickEverySecond(1);
        w.Timer2Tick();
    }
    EXPECT_EQ(changed.size(), 3 * 15);
    w.Timer1Tick();
    w.Timer2Tick();
    EXPECT_EQ(changed.size(), 3 * 15);
    EXPECT_EQ(added.size() + removed.size() + reset.size(), 0);
    EXPECT_TRUE(list->item(0)->text().endsWith("0 days  and  23:59:57"));
}

// A window destroyed without being closed is a program killed; the next window over the same
// store is its next start.
TEST_F(AlmanorTest, AStartTellsOnceOfWhatFellDueWhileNoneRan)
{
    using trackerkeys::SlotField;
    clock.set(QDateTime(QDate(2026, 12, 25), QTime(12, 0, 0)));
    storeEvent(1, "Before the first start", "12/24/2026", "09:00:00 AM");
    storeEvent(2, "Rings while running", "12/25/2026", "12:00:05 PM");
    storeEvent(3, "Dentist", "12/25/2026", "03:00:00 PM");
    storeEvent(4, "Deleted before it fell due", "12/25/2026", "02:00:00 PM");
    storeEvent(5, "Lunch", "12/25/2026", "01:00:00 PM");
    storeEvent(6, "Next week", "01/01/2027", "12:00:00 PM");

    open().Timer1Tick();
    EXPECT_TRUE(notifier.told.isEmpty()) << "a first start knows of no run before it";
    tickEverySecond(5);
    ASSERT_EQ(notifier.told.size(), 1);
    EXPECT_EQ(notifier.told[0].summary, "Rings while running");
    window.reset();

    for (SlotField field : {SlotField::Message, SlotField::Date, SlotField::Time})
        EXPECT_TRUE(t.store.remove(trackerkeys::slotKey(4, field)));
    clock.set(QDateTime(QDate(2026, 12, 25), QTime(16, 0, 0)));
    open().Timer1Tick();
    ASSERT_EQ(notifier.told.size(), 2);
    const RecordingNotifier::Told& missed = notifier.told[1];
    EXPECT_EQ(missed.summary, "2 events fell due while Date Vexlo was closed");
    EXPECT_EQ(missed.body, "12/25/2026 01:00:00 PM  Lunch\n12/25/2026 03:00:00 PM  Dentist");
    EXPECT_EQ(missed.sound, Notifier::Sound::Silent);
    EXPECT_EQ(missed.window.data(), window.get());
    tickEverySecond(3);
    window.reset();

    clock.advance(3600);
    open().Timer1Tick();
    tickEverySecond(3);
    EXPECT_EQ(notifier.told.size(), 2) << "told again after a restart";
}
