#include "almanorfixture.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using trackerkeys::SlotField;
using trackerkeys::slotKey;

class PanelsTest : public AlmanorTest {
protected:
    QPlainTextEdit* notes() { return child<QPlainTextEdit>("Notes1"); }
    QRadioButton* option(const char* name) { return child<QRadioButton>(name); }
    bool viewMenuEnabled() { return child<QMenu>("menuView")->menuAction()->isEnabled(); }
};

TEST_F(PanelsTest, NotesAreKeptPerSlotWithTheirLineBreaks)
{
    Almanor& w = open();
    w.MessageNotesClick(12);
    EXPECT_EQ(child<QGroupBox>("Frame4")->title(), "Message 12 Notes");
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame1"));
    EXPECT_FALSE(viewMenuEnabled());
    EXPECT_EQ(w.windowTitle(), "Date Vexlo 8.0");
    EXPECT_EQ(notes()->toPlainText(), "");

    const QString text = "Bring:\n- the forms\n- the card\n\nlast line";
    notes()->setPlainText(text);
    w.butNotesSaveClick();
    EXPECT_EQ(t.store.get(slotKey(12, SlotField::Notes)), text);
    EXPECT_TRUE(shown("Frame1"));
    EXPECT_TRUE(viewMenuEnabled());

    // Only that slot's notes key was written.
    for (int n = 1; n <= 15; ++n) {
        const QString expected = n == 12 ? text : QStringLiteral("absent");
        EXPECT_EQ(t.store.get(slotKey(n, SlotField::Notes), "absent"), expected) << n;
    }

    // Notes of an empty slot survive the event created there; Cancel drops what was typed.
    w.MessageEditClick(12);
    w.butEditSaveClick();
    w.MessageNotesClick(12);
    EXPECT_EQ(notes()->toPlainText(), text);
    notes()->setPlainText("typed, then cancelled");
    w.butNotesCancelClick();
    EXPECT_EQ(t.store.get(slotKey(12, SlotField::Notes)), text);
    w.MessageNotesClick(12);
    EXPECT_EQ(notes()->toPlainText(), text);
}

TEST_F(PanelsTest, EmptyNotesAreStoredAndOutliveTheirEvent)
{
    storeEvent(5, "Party", "12/31/2026", "08:00:00 PM");
    Almanor& w = open();
    w.MessageNotesClick(5);
    w.butNotesSaveClick();
    EXPECT_EQ(t.store.get(slotKey(5, SlotField::Notes), "absent"), "");
    w.MessageEditClick(5);
    w.butEditDeleteClick();
    EXPECT_EQ(t.store.get(slotKey(5, SlotField::Notes), "absent"), "");
}

TEST_F(PanelsTest, AFailedNotesSaveKeepsThePanelOpen)
{
    Almanor& w = open();
    w.MessageNotesClick(1);
    notes()->setPlainText("precious");
    store.refuseWrites = true;
    w.butNotesSaveClick();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("The notes of message 1 could not be saved"));
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_EQ(notes()->toPlainText(), "precious");
}

TEST_F(PanelsTest, ViewSwitchesAreStoredAndStartOrStopTheGrid)
{
    storeEvent(1, "Party", "12/31/2026", "08:00:00 PM");
    Almanor& w = open();
    w.Timer1Tick();
    auto* grid = child<QAction>("menuViewGrid");
    auto* normal = child<QAction>("menuViewNormal");

    // Choosing the view that is shown changes and stores nothing.
    EXPECT_TRUE(t.store.remove(trackerkeys::kView));
    normal->trigger();
    EXPECT_TRUE(normal->isChecked());
    EXPECT_EQ(t.store.get(trackerkeys::kView, "untouched"), "untouched");

    grid->trigger();
    EXPECT_EQ(t.store.get(trackerkeys::kView), "2");
    EXPECT_TRUE(grid->isChecked());
    EXPECT_FALSE(normal->isChecked());
    EXPECT_TRUE(shown("List1"));
    EXPECT_FALSE(shown("Frame1"));
    EXPECT_EQ(child<QListWidget>("List1")->count(), 1) << "filled at once";
    EXPECT_TRUE(child<QTimer>("Timer2")->isActive());

    EXPECT_TRUE(t.store.remove(trackerkeys::kView));
    grid->trigger();
    EXPECT_TRUE(grid->isChecked());
    EXPECT_EQ(t.store.get(trackerkeys::kView, "untouched"), "untouched");

    normal->trigger();
    EXPECT_EQ(t.store.get(trackerkeys::kView), "1");
    EXPECT_FALSE(child<QTimer>("Timer2")->isActive());
    EXPECT_TRUE(shown("Frame1"));
    EXPECT_FALSE(shown("List1"));
}

TEST_F(PanelsTest, OptionsSaveOrCancelInBothViews)
{
    for (const char* view : {"1", "2"}) {
        TempStore fresh;
        RefusingStore freshStore(fresh.store);
        EXPECT_TRUE(fresh.store.save(trackerkeys::kView, view));
        EXPECT_TRUE(fresh.store.save(slotKey(1, SlotField::Message), "Party"));
        EXPECT_TRUE(fresh.store.save(slotKey(1, SlotField::Date), "12/31/2026"));
        Almanor w(Platform{freshStore, clock, sound, dialogs, help, notifier, VEXLO_PROGRAM_DIR});
        const bool grid = QString(view) == "2";
        QWidget* underneath = grid ? static_cast<QWidget*>(w.findChild<QListWidget*>("List1"))
                                   : w.findChild<QGroupBox*>("Frame1");
        auto* list = w.findChild<QListWidget*>("List1");
        w.Timer2Tick();

        // Every cell of a row greys alike, the date of a due event too.
        const auto greyed = [&w](const char* name) {
            const auto* label = w.findChild<QLabel*>(name);
            return label->palette().color(QPalette::Disabled, label->foregroundRole());
        };
        auto openOptions = [&] {
            w.findChild<QAction*>("menuViewOptions")->trigger();
            EXPECT_FALSE(w.findChild<QGroupBox*>("Frame6")->isHidden());
            EXPECT_FALSE(underneath->isEnabled()) << view;
            EXPECT_FALSE(underneath->isHidden()) << view;
            EXPECT_EQ(greyed("LabelDate1"), greyed("Message1"));
        };

        openOptions();
        w.findChild<QRadioButton*>("OptionCalendarSetting2")->setChecked(true);
        w.findChild<QRadioButton*>("OptionOnlyDate")->setChecked(true);
        w.findChild<QPushButton*>("butOptionsCancel")->click();
        EXPECT_EQ(fresh.store.get(trackerkeys::kCalendarOption), "1");
        EXPECT_EQ(fresh.store.get(trackerkeys::kDateTimeOption), "1");
        EXPECT_TRUE(w.findChild<QRadioButton*>("OptionCalendarSetting1")->isChecked());
        EXPECT_TRUE(w.findChild<QRadioButton*>("OptionDateTime")->isChecked());
        EXPECT_TRUE(underneath->isEnabled());
        EXPECT_TRUE(w.findChild<QGroupBox*>("Frame6")->isHidden());
        if (grid) {
            EXPECT_EQ(list->count(), 0) << "emptied, refilled by the next grid tick";
        }

        openOptions();
        w.findChild<QRadioButton*>("OptionCalendarSetting2")->setChecked(true);
        w.findChild<QRadioButton*>("OptionOnlyDate")->setChecked(true);
        w.findChild<QPushButton*>("butOptionsSave")->click();
        EXPECT_EQ(fresh.store.get(trackerkeys::kCalendarOption), "2");
        EXPECT_EQ(fresh.store.get(trackerkeys::kDateTimeOption), "2");
        EXPECT_TRUE(underneath->isEnabled());

        openOptions();
        EXPECT_TRUE(w.findChild<QRadioButton*>("OptionCalendarSetting2")->isChecked());
        EXPECT_TRUE(w.findChild<QRadioButton*>("OptionOnlyDate")->isChecked());
        w.findChild<QPushButton*>("butOptionsCancel")->click();

        // The calendar option now decides where a new event's calendar starts.
        EXPECT_TRUE(fresh.store.save(trackerkeys::kSavedDate, "7/4/2027"));
        w.MessageEditClick(9);
        EXPECT_EQ(w.findChild<QCalendarWidget*>("Calendar1")->selectedDate(), QDate(2027, 7, 4));
        w.butEditCancelClick();
    }
}

TEST_F(PanelsTest, AboutReturnsToTheStoredView)
{
    for (const char* view : {"1", "2"}) {
        EXPECT_TRUE(t.store.save(trackerkeys::kView, view));
        Almanor& w = open();
        w.menuhelpaboutClick();
        EXPECT_TRUE(shown("Frame5"));
        EXPECT_FALSE(shown("Frame1"));
        EXPECT_EQ(label("LabelAboutLabel0"), "Date Vexlo 8.01");
        child<QPushButton>("butAboutOKContinue")->click();
        EXPECT_FALSE(shown("Frame5"));
        EXPECT_EQ(shown("List1"), QString(view) == "2") << view;
        EXPECT_EQ(shown("Frame1"), QString(view) == "1") << view;
    }

    // Over the editor, About leaves the editor where it was.
    Almanor& w = open();
    w.MessageEditClick(3);
    w.menuhelpaboutClick();
    w.butAboutOKContinueClick();
    EXPECT_TRUE(shown("Frame2"));
    EXPECT_FALSE(shown("Frame1"));
}

TEST_F(PanelsTest, HelpOpensAtTheTrackersTopic)
{
    Almanor& w = open();
    child<QAction>("menuhelpusing")->trigger();
    EXPECT_EQ(help.topics, QList<int>{203});
    (void)w;
}
