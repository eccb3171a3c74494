#include "almanorfixture.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using trackerkeys::SlotField;
using trackerkeys::slotKey;

TEST_F(AlmanorTest, FirstStartWritesTheFiveKeys)
{
    Almanor& w = open();
    EXPECT_EQ(t.store.get(trackerkeys::kPath), VEXLO_PROGRAM_DIR);
    EXPECT_EQ(t.store.get(trackerkeys::kView), "1");
    EXPECT_EQ(t.store.get(trackerkeys::kCalendarOption), "1");
    EXPECT_EQ(t.store.get(trackerkeys::kDateTimeOption), "1");
    EXPECT_EQ(t.store.get(trackerkeys::kSavedDate), "12/25/2026");

    EXPECT_EQ(w.windowTitle(), "Date Vexlo 8.0");
    EXPECT_EQ(w.state().LabelPath, VEXLO_PROGRAM_DIR);
    EXPECT_TRUE(child<QAction>("menuViewNormal")->isChecked());
    EXPECT_FALSE(child<QAction>("menuViewGrid")->isChecked());
    EXPECT_FALSE(child<QGroupBox>("Frame1")->isHidden());
    EXPECT_TRUE(child<QListWidget>("List1")->isHidden());
    EXPECT_TRUE(child<QRadioButton>("OptionCalendarSetting1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("OptionDateTime")->isChecked());
    EXPECT_EQ(child<QCalendarWidget>("Calendar1")->selectedDate(), QDate(2026, 12, 25));
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(w.state().slot[n - 1].LabelNewDate, " ");
        EXPECT_EQ(label(QStringLiteral("Message%1").arg(n)), "");
    }
}

TEST_F(AlmanorTest, StoredChoicesAreReadNotRewritten)
{
    ASSERT_TRUE(t.store.saveAll({{trackerkeys::kPath, "/elsewhere/"}, {trackerkeys::kView, "2"},
                                 {trackerkeys::kCalendarOption, "2"},
                                 {trackerkeys::kDateTimeOption, "2"},
                                 {trackerkeys::kSavedDate, "3/2/2027"}}));
    Almanor& w = open(false);
    // The panels the list hides come once the window is drawn, with what the start read.
    EXPECT_EQ(w.findChild<QCalendarWidget*>("Calendar1"), nullptr);
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.findChild<QCalendarWidget*>("Calendar1"); }));

    EXPECT_EQ(w.state().LabelPath, "/elsewhere/");
    EXPECT_TRUE(child<QAction>("menuViewGrid")->isChecked());
    EXPECT_FALSE(child<QAction>("menuViewNormal")->isChecked());
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isHidden());
    EXPECT_FALSE(child<QListWidget>("List1")->isHidden());
    EXPECT_TRUE(child<QTimer>("Timer2")->isActive());
    EXPECT_TRUE(child<QRadioButton>("OptionCalendarSetting2")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("OptionOnlyDate")->isChecked());
    EXPECT_EQ(child<QCalendarWidget>("Calendar1")->selectedDate(), QDate(2027, 3, 2));
    EXPECT_EQ(w.state().LabelCalendarDate, "3/2/2027");
}

TEST_F(AlmanorTest, LoadsEverySlotIncludingTheNinth)
{
    storeEvent(9, "Christmas dinner", "12/25/2026", "09:05:00 PM", "/tmp/bell.wav");
    storeEvent(15, "Last", "01/01/2027", "12:00:00 AM");
    Almanor& w = open();

    EXPECT_EQ(w.state().slot[8].LabelNewDate, "12/25/2026 09:05:00 PM");
    EXPECT_EQ(w.state().slot[8].Wave, "/tmp/bell.wav");
    EXPECT_EQ(label("Labeldate9"), "12/25/2026");
    EXPECT_EQ(label("Message9"), "Christmas dinner");
    EXPECT_EQ(w.state().slot[14].LabelNewDate, "01/01/2027 12:00:00 AM");

    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining9"), "0 days, 9 hrs, 5 mins, 0 secs.");
    EXPECT_EQ(label("LabelRemaining15"), "6 days, 12 hrs, 0 mins, 0 secs.");
}

TEST_F(AlmanorTest, GarbageInEveryKeyNeverStopsTheWindow)
{
    const QString garbage[] = {
        "",     "-1",           "2147483648", "abc",  QString(100000, u'9'),
        "\x01\x02\xff", "13/45/2026", "99:99:99 XM", "nan", "1e999",
        QString(1 << 20, u'x'),
    };
    for (const QString& value : garbage) {
        TempStore fresh;
        SettingsStore::Values values;
        for (const auto& key : {trackerkeys::kPath, trackerkeys::kView, trackerkeys::kCalendarOption,
                                trackerkeys::kDateTimeOption, trackerkeys::kSavedDate})
            values.append({key, value});
        for (int n = 1; n <= 15; ++n)
            for (auto field : {SlotField::Message, SlotField::Date, SlotField::Time,
                               SlotField::Sound, SlotField::Notes})
                values.append({slotKey(n, field), value});
        ASSERT_TRUE(fresh.store.saveAll(values));

        Almanor w(Platform{fresh.store, clock, sound, dialogs, help, notifier, VEXLO_PROGRAM_DIR});
        w.buildPanels();
        w.show();
        w.Timer1Tick();
        w.fillListBox();
        w.Timer3Tick();
        EXPECT_TRUE(w.isVisible());
        for (int n = 1; n <= 15; ++n)
            EXPECT_EQ(w.state().slot[n - 1].LabelRemaining, "") << "slot " << n;
    }
    EXPECT_TRUE(sound.requests.isEmpty());
}

TEST_F(AlmanorTest, RowsSitWhereTheyAlwaysHave)
{
    Almanor& w = open();
    w.show();
    EXPECT_EQ(child<QGroupBox>("Frame1")->geometry(), QRect(7, 3, 580, 313));
    EXPECT_EQ(child<QListWidget>("List1")->geometry(), QRect(7, 15, 580, 290));
    // Columns as they always were; rows 300 twips apart, below the panel's caption and inside it.
    struct Case {
        const char* name;
        int left;
        int width;
    };
    const Case columns[] = {
        {"Message%1", 35, 253}, {"LabelDate%1", 322, 60}, {"LabelRemaining%1", 387, 193}};
    auto* frame = child<QGroupBox>("Frame1");
    const int captionBottom = frame->fontMetrics().height();
    for (const Case& c : columns) {
        for (int n = 1; n <= 15; ++n) {
            const QString name = n == 9 && c.left == 322 ? QStringLiteral("Labeldate9")
                                                         : QString::fromLatin1(c.name).arg(n);
            const QRect g = child<QLabel>(name)->geometry();
            EXPECT_EQ(g.left(), c.left) << name.toStdString();
            EXPECT_EQ(g.width(), c.width) << name.toStdString();
            EXPECT_GE(g.top(), captionBottom) << name.toStdString();
            EXPECT_EQ(g.top(), child<QLabel>("Message1")->y() + 20 * (n - 1)) << name.toStdString();
            EXPECT_LT(g.bottom(), frame->height() - 1) << name.toStdString();
        }
    }

    auto* edit = child<QPushButton>("Message7Edit");
    EXPECT_EQ(edit->text(), "7 >");
    EXPECT_EQ(edit->toolTip(), "Click her to edit Message 7");
    auto* notes = child<QPushButton>("Message7Notes");
    EXPECT_EQ(notes->text(), "< N");
    EXPECT_EQ(notes->toolTip(), "Click here to enter notes for Message 7");

    // Nothing in a row overlaps its neighbour, and the longest texts fit their columns.
    const QFontMetrics metrics(child<QLabel>("LabelRemaining1")->font());
    EXPECT_LE(metrics.horizontalAdvance("12/28/2026"), child<QLabel>("LabelDate1")->width());
    EXPECT_LE(metrics.horizontalAdvance("24,855 days, 23 hrs, 59 mins, 59 secs."),
              child<QLabel>("LabelRemaining1")->width());
    EXPECT_LE(metrics.horizontalAdvance("15 >"), child<QPushButton>("Message15Edit")->width());
}

TEST_F(AlmanorTest, ExitAndCloseStoreNothing)
{
    storeEvent(2, "Meeting", "12/26/2026", "09:00:00 AM");
    Almanor& w = open();
    w.show();
    w.Timer1Tick();
    QFile file(t.store.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    w.menuexitClick();
    EXPECT_FALSE(w.isVisible());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}
