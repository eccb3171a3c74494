#include "almanorfixture.h"
#include "twips.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using trackerkeys::SlotField;
using trackerkeys::slotKey;

class EditorTest : public AlmanorTest {
protected:
    QLineEdit* messageBox(int n) { return child<QLineEdit>(QStringLiteral("Text%1").arg(n)); }
    QLineEdit* soundBox(int n) { return child<QLineEdit>(QStringLiteral("Wave%1").arg(n)); }
    QString shownTime()
    {
        auto text = [this](const char* name) { return child<QComboBox>(name)->currentText(); };
        return text("OptionsSetHours") + ":" + text("OptionsSetMinutes") + ":" +
               text("OptionsSetSeconds") + " " + text("OptionsSetAmPm");
    }
    int buttonLeft(const char* name) { return child<QPushButton>(name)->x(); }

    void setTime(const char* hours, const char* minutes, const char* seconds, const char* amPm)
    {
        child<QComboBox>("OptionsSetHours")->setCurrentText(hours);
        child<QComboBox>("OptionsSetMinutes")->setCurrentText(minutes);
        child<QComboBox>("OptionsSetSeconds")->setCurrentText(seconds);
        child<QComboBox>("OptionsSetAmPm")->setCurrentText(amPm);
    }
};

TEST_F(EditorTest, OpensAnEmptySlotForANewEventAtNoon)
{
    EXPECT_TRUE(t.store.save(trackerkeys::kCalendarOption, "2"));
    EXPECT_TRUE(t.store.save(trackerkeys::kSavedDate, "3/2/2027"));
    Almanor& w = open();
    w.MessageEditClick(6);

    EXPECT_EQ(w.windowTitle(), "Edit Message 6");
    EXPECT_TRUE(shown("Frame2"));
    EXPECT_FALSE(shown("Frame1"));
    EXPECT_FALSE(child<QMenu>("menuView")->menuAction()->isEnabled());
    EXPECT_EQ(messageBox(6)->text(), "");
    EXPECT_EQ(messageBox(6)->toolTip(), "Enter message 6 here");
    EXPECT_EQ(soundBox(6)->text(), "Timer1.wav");
    EXPECT_EQ(shownTime(), "12:00:00 PM");
    // The calendar option asks for the last date chosen.
    EXPECT_EQ(child<QCalendarWidget>("Calendar1")->selectedDate(), QDate(2027, 3, 2));
    EXPECT_FALSE(shown("butEditDelete"));
    EXPECT_EQ(buttonLeft("butEditSave"), twips(5200));
    EXPECT_EQ(buttonLeft("butEditCancel"), twips(6700));
}

TEST_F(EditorTest, OpensAnEventAsStored)
{
    storeEvent(3, "Dentist", "03/02/2027", "07:30:05 AM", "/sounds/chime.wav");
    Almanor& w = open();
    w.MessageEditClick(3);

    EXPECT_EQ(messageBox(3)->text(), "Dentist");
    EXPECT_EQ(soundBox(3)->text(), "/sounds/chime.wav");
    EXPECT_EQ(shownTime(), "07:30:05 AM");
    EXPECT_EQ(child<QCalendarWidget>("Calendar1")->selectedDate(), QDate(2027, 3, 2));
    EXPECT_TRUE(shown("butEditDelete"));
    EXPECT_EQ(buttonLeft("butEditSave"), twips(4800));
    EXPECT_EQ(buttonLeft("butEditCancel"), twips(6025));
    EXPECT_EQ(buttonLeft("butEditDelete"), twips(7250));
    EXPECT_EQ(label("LabelDateDiff"), "The difference between today and your date is 67 days.");
}

TEST_F(EditorTest, AnUnreadableEventOpensLikeANewOneButKeepsItsMessage)
{
    storeEvent(2, "Garbled", "31.12.2026", "noon");
    Almanor& w = open();
    w.MessageEditClick(2);
    EXPECT_EQ(messageBox(2)->text(), "Garbled");
    EXPECT_EQ(shownTime(), "12:00:00 PM");
    EXPECT_EQ(child<QCalendarWidget>("Calendar1")->selectedDate(), QDate(2026, 12, 25));
    EXPECT_TRUE(shown("butEditDelete"));
}

TEST_F(EditorTest, SaveStoresTheEventAndTheNextTickCountsItDown)
{
    Almanor& w = open();
    w.MessageEditClick(4);
    messageBox(4)->setText("Dentist");
    child<QCalendarWidget>("Calendar1")->setSelectedDate(QDate(2027, 3, 2));
    setTime("07", "30", "00", "AM");
    w.butEditSaveClick();

    EXPECT_EQ(t.store.get(slotKey(4, SlotField::Message)), "Dentist");
    EXPECT_EQ(t.store.get(slotKey(4, SlotField::Date)), "03/02/2027");
    EXPECT_EQ(t.store.get(slotKey(4, SlotField::Time)), "07:30:00 AM");
    EXPECT_EQ(t.store.get(slotKey(4, SlotField::Sound)), "Timer1.wav");
    EXPECT_EQ(t.store.get(trackerkeys::kSavedDate), "3/2/2027");
    EXPECT_EQ(w.state().slot[3].LabelNewDate, "03/02/2027 07:30:00 AM");
    EXPECT_EQ(w.windowTitle(), "Date Vexlo 8.0");
    EXPECT_TRUE(shown("Frame1"));
    EXPECT_FALSE(shown("Frame2"));
    EXPECT_TRUE(child<QMenu>("menuView")->menuAction()->isEnabled());
    EXPECT_EQ(label("Message4"), "Dentist");

    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining4"), "66 days, 19 hrs, 30 mins, 0 secs.");

    // The next save overwrites the calendar date and leaves other slots alone.
    w.MessageEditClick(5);
    child<QCalendarWidget>("Calendar1")->setSelectedDate(QDate(2027, 1, 9));
    w.butEditSaveClick();
    EXPECT_EQ(t.store.get(trackerkeys::kSavedDate), "1/9/2027");
    EXPECT_EQ(t.store.get(slotKey(4, SlotField::Date)), "03/02/2027");
    EXPECT_EQ(t.store.get(slotKey(5, SlotField::Message)), "");
    EXPECT_EQ(w.state().slot[4].LabelNewDate, "01/09/2027 12:00:00 PM");
}

TEST_F(EditorTest, SavingADueEventTurnsItsDateBackToBlack)
{
    storeEvent(1, "Overdue", "12/24/2026", "12:00:00 PM");
    Almanor& w = open();
    w.Timer1Tick();
    ASSERT_EQ(child<QLabel>("LabelDate1")->palette().color(QPalette::Text), Almanor::kDueColour);
    w.MessageEditClick(1);
    child<QCalendarWidget>("Calendar1")->setSelectedDate(QDate(2026, 12, 31));
    w.butEditSaveClick();
    EXPECT_EQ(child<QLabel>("LabelDate1")->palette().color(QPalette::Text), QColor(Qt::black));
    w.Timer1Tick();
    EXPECT_EQ(label("LabelRemaining1"), "6 days, 0 hrs, 0 mins, 0 secs.");
}

TEST_F(EditorTest, DeleteRemovesTheEventAndNotesWithText)
{
    struct Case {
        const char* notes; // nullptr: no notes key
        bool notesKeyLeft;
    };
    const Case cases[] = {{nullptr, false}, {"", true}, {"Bring the forms", false}};
    for (const Case& c : cases) {
        storeEvent(7, "Dentist", "03/02/2027", "07:30:00 AM", "/sounds/a.wav");
        EXPECT_TRUE(!c.notes || t.store.save(slotKey(7, SlotField::Notes), c.notes));
        Almanor& w = open();
        w.Timer1Tick();
        w.MessageEditClick(7);
        w.butEditDeleteClick();

        for (auto field : {SlotField::Message, SlotField::Date, SlotField::Time, SlotField::Sound})
            EXPECT_EQ(t.store.get(slotKey(7, field), "absent"), "absent");
        EXPECT_EQ(t.store.get(slotKey(7, SlotField::Notes), "absent") != "absent", c.notesKeyLeft)
            << (c.notes ? c.notes : "no notes");
        EXPECT_EQ(label("Message7"), "");
        EXPECT_EQ(label("LabelDate7"), "");
        EXPECT_EQ(label("LabelRemaining7"), "");
        EXPECT_TRUE(shown("Frame1"));

        // The slot is empty everywhere: no countdown, and the editor offers a new event.
        w.Timer1Tick();
        EXPECT_EQ(label("LabelRemaining7"), "");
        w.MessageEditClick(7);
        EXPECT_FALSE(shown("butEditDelete"));
        EXPECT_EQ(soundBox(7)->text(), "Timer1.wav");
        w.butEditCancelClick();
        EXPECT_TRUE(t.store.remove(slotKey(7, SlotField::Notes)));
    }
}

TEST_F(EditorTest, CancelKeepsEverythingAsStored)
{
    storeEvent(2, "Meeting", "12/26/2026", "09:00:00 AM");
    Almanor& w = open();
    w.Timer1Tick();
    w.MessageEditClick(2);
    messageBox(2)->setText("Changed");
    dialogs.chosenFile = "/sounds/other.wav";
    w.butEditBrowseClick();
    EXPECT_EQ(soundBox(2)->text(), "/sounds/other.wav");
    child<QCalendarWidget>("Calendar1")->setSelectedDate(QDate(2027, 6, 1));
    w.butEditCancelClick();

    EXPECT_EQ(label("Message2"), "Meeting");
    EXPECT_EQ(w.state().slot[1].LabelNewDate, "12/26/2026 09:00:00 AM");
    EXPECT_EQ(t.store.get(slotKey(2, SlotField::Message)), "Meeting");
    EXPECT_EQ(t.store.get(slotKey(2, SlotField::Sound), "absent"), "absent");
    // The alarm plays what is stored, not the sound chosen and cancelled.
    EXPECT_EQ(w.state().slot[1].Wave, "");
    EXPECT_EQ(w.windowTitle(), "Date Vexlo 8.0");
    w.MessageEditClick(2);
    EXPECT_EQ(messageBox(2)->text(), "Meeting");
}

TEST_F(EditorTest, ChoosingASoundStartsInTheProgramFolder)
{
    Almanor& w = open();
    w.MessageEditClick(1);
    dialogs.chosenFile = "/sounds/bell.wav";
    w.butEditBrowseClick();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].title, "Open");
    EXPECT_EQ(dialogs.shown[0].text, QString(VEXLO_PROGRAM_DIR) + "|Wave files (*.wav)");
    EXPECT_EQ(soundBox(1)->text(), "/sounds/bell.wav");

    // Cancelling the dialog empties the box; the empty sound is what is saved.
    dialogs.chosenFile.clear();
    w.butEditBrowseClick();
    EXPECT_EQ(soundBox(1)->text(), "");
    w.butEditSaveClick();
    EXPECT_EQ(t.store.get(slotKey(1, SlotField::Sound), "absent"), "");
    w.MessageEditClick(1);
    EXPECT_EQ(soundBox(1)->text(), "Timer1.wav");
}

TEST_F(EditorTest, TheMessageBoxTakesSeventyFiveAndSelectsSeventy)
{
    const QString message72 = QString(72, u'm');
    storeEvent(1, message72, "12/26/2026", "09:00:00 AM");
    storeEvent(2, "Short", "12/26/2026", "09:00:00 AM");
    Almanor& w = open();
    w.show();
    QApplication::setActiveWindow(&w);

    w.MessageEditClick(1);
    QLineEdit* box = messageBox(1);
    box->clearFocus();
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(box->selectionStart(), 0);
    EXPECT_EQ(box->selectedText().size(), 70);
    box->end(false);
    QTest::keyClicks(box, "abcdef");
    EXPECT_EQ(box->text().size(), 75);
    w.butEditCancelClick();

    w.MessageEditClick(2);
    messageBox(2)->clearFocus();
    messageBox(2)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(messageBox(2)->selectedText(), "Short");
}

TEST_F(EditorTest, AFailedSaveKeepsTheEditorOpenAndLosesNothing)
{
    storeEvent(3, "Stored", "12/26/2026", "09:00:00 AM");
    Almanor& w = open();
    w.MessageEditClick(3);
    messageBox(3)->setText("Typed but not saved");
    store.refuseWrites = true;
    w.butEditSaveClick();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, "message");
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("Message 3 could not be saved"));
    EXPECT_TRUE(shown("Frame2"));
    EXPECT_EQ(messageBox(3)->text(), "Typed but not saved");
    EXPECT_EQ(w.state().slot[2].Message, "Stored");
    EXPECT_EQ(t.store.get(slotKey(3, SlotField::Message)), "Stored");

    w.butEditDeleteClick();
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(shown("Frame2"));
    EXPECT_EQ(t.store.get(slotKey(3, SlotField::Date)), "12/26/2026");

    // Once the disk takes writes again, the same Save goes through.
    store.refuseWrites = false;
    w.butEditSaveClick();
    EXPECT_EQ(t.store.get(slotKey(3, SlotField::Message)), "Typed but not saved");
    EXPECT_FALSE(shown("Frame2"));
}

TEST_F(EditorTest, ButtonsTakeTheFocusUnderThePointerAndAnswerTheKeyboard)
{
    Almanor& w = open();
    w.show();
    QApplication::setActiveWindow(&w);
    w.MessageEditClick(1);
    messageBox(1)->setText("By keyboard");
    auto* save = child<QPushButton>("butEditSave");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(save, &enter);
    EXPECT_TRUE(save->hasFocus());
    QTest::keyClick(save, Qt::Key_Return);
    EXPECT_EQ(t.store.get(slotKey(1, SlotField::Message)), "By keyboard");

    w.MessageEditClick(2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    // An access key presses the button and lets it go a moment later, as a click does.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("Frame2"); })) << "Alt+C cancels";
}
