#include "accessibilitychecks.h"
#include "almanorfixture.h"
#include "qtprinters.h"

#include <QAction>
#include <QCalendarWidget>
#include <QPushButton>

#include <functional>

class AlmanorAccessibilityTest : public AlmanorTest {
protected:
    Almanor& openWithEvents()
    {
        storeEvent(1, "Dentist", "12/28/2026", "09:30:00 AM");
        storeEvent(2, "New Year", "01/01/2027", "12:00:00 AM");
        Almanor& w = open();
        w.show();
        w.Timer1Tick();
        return w;
    }
};

TEST_F(AlmanorAccessibilityTest, EveryShownControlReadsAsItsCaptionInEveryView)
{
    // "..." opens the file browser; it is named for what it does.
    const QStringList namedByHand = {"butEditBrowse"};
    const struct {
        const char* view;
        std::function<void(Almanor&)> reach;
    } views[] = {
        {"the list", [](Almanor&) {}},
        {"a minute later", [this](Almanor&) { tickEverySecond(60); }},
        {"the editor on an event", [](Almanor& w) { w.MessageEditClick(1); }},
        {"the editor on an empty slot",
         [](Almanor& w) {
             w.butEditCancelClick();
             w.MessageEditClick(7);
         }},
        {"About over the editor", [](Almanor& w) { w.menuhelpaboutClick(); }},
        {"the notes",
         [](Almanor& w) {
             w.butAboutOKContinueClick();
             w.butEditCancelClick();
             w.MessageNotesClick(2);
         }},
        {"the options",
         [](Almanor& w) {
             w.butNotesCancelClick();
             w.menuViewOptionsClick();
         }},
        {"the grid",
         [](Almanor& w) {
             w.butOptionsCancelClick();
             w.menuViewGridClick();
         }},
        {"About over the grid", [](Almanor& w) { w.menuhelpaboutClick(); }},
    };
    Almanor& w = openWithEvents();
    for (const auto& v : views) {
        SCOPED_TRACE(v.view);
        v.reach(w);
        EXPECT_EQ(unreadableControls(&w, namedByHand), QStringList());
    }
}

TEST_F(AlmanorAccessibilityTest, EachCellOfARowSaysWhatItIsAndReadsWhatItShows)
{
    Almanor& w = openWithEvents();
    const struct {
        const char* cell;
        QString description;
    } cells[] = {
        {"Message1", "Message 1"},
        {"LabelDate1", "Date of message 1"},
        {"LabelRemaining1", "Time remaining for message 1"},
        {"Labeldate9", "Date of message 9"},
        {"Message1Edit", "Click her to edit Message 1"},
        {"Message1Notes", "Click here to enter notes for Message 1"},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.cell);
        QWidget* cell = child(c.cell);
        EXPECT_EQ(accessibleDescription(cell), c.description);
        const QString shows = accessibility::captionOf(cell);
        // An empty cell reads as what it is.
        EXPECT_EQ(accessibleName(cell), shows.isEmpty() ? c.description : shows);
    }
    EXPECT_EQ(accessibleName(child("Message1")), "Dentist");
    EXPECT_EQ(accessibleName(child("LabelDate1")), "12/28/2026");

    // The remaining time is read as it counts down, and a deleted event is read as empty.
    tickEverySecond(5);
    EXPECT_EQ(accessibleName(child("LabelRemaining1")), label("LabelRemaining1"));
    w.MessageEditClick(1);
    w.butEditDeleteClick();
    EXPECT_EQ(accessibleName(child("Message1")), "Message 1");
    EXPECT_EQ(accessibleName(child("LabelRemaining1")), "Time remaining for message 1");

    // The editor's boxes are named after the slot they edit.
    w.MessageEditClick(4);
    EXPECT_EQ(accessibleName(child("Text4")), "Message 4");
    EXPECT_EQ(accessibleDescription(child("Text4")), "Enter message 4 here");
    EXPECT_EQ(accessibleName(child("Wave4")), "Sound of message 4");
    EXPECT_EQ(accessibleName(child("Calendar1")), "Date");
    w.butEditCancelClick();
    w.MessageEditClick(5);
    EXPECT_EQ(accessibleDescription(child("Text5")), "Enter message 5 here");
    w.butEditCancelClick();

    w.MessageNotesClick(3);
    EXPECT_EQ(accessibleName(child("Frame4")), "Message 3 Notes");
}
