#include "almanorfixture.h"
#include "keyboarddriver.h"
#include "qtprinters.h"

#include <QRadioButton>

#include <functional>

using keyboard::focused;
using trackerkeys::SlotField;
using trackerkeys::slotKey;

class AlmanorKeyboardTest : public keyboard::Fixture<AlmanorTest> {
protected:
    // With one event stored, so that its row has something to edit.
    Almanor& openActive()
    {
        storeEvent(1, "Dentist", "12/28/2026", "09:30:00 AM");
        Almanor& w = open();
        w.show();
        EXPECT_TRUE(keyboard::activate(&w));
        return w;
    }
    // An access key presses its button and lets it go a moment later, as a click does.
    bool closes(const char* panel)
    {
        return QTest::qWaitFor([&] { return !shown(panel); });
    }
};

TEST_F(AlmanorKeyboardTest, EveryCommandTakesTheKeyboardAlone)
{
    Almanor& w = openActive();
    EXPECT_EQ(focused(), "Message1Edit");
    const struct {
        const char* keys;
        const char* focus; // where the focus is afterwards, if anywhere
        std::function<void()> check;
    } steps[] = {
        {"Tab Tab Space \"Party\"", "Text2", [&] { EXPECT_TRUE(shown("Frame2")); }},
        {"Alt+S", "Message2Edit",
         [&] {
             EXPECT_TRUE(closes("Frame2"));
             EXPECT_EQ(t.store.get(slotKey(2, SlotField::Message)), "Party");
         }},
        {"Return \"Not this\" Esc", "Message2Edit",
         [&] { EXPECT_EQ(t.store.get(slotKey(2, SlotField::Message)), "Party"); }},
        // Seven Tabs from the message to the calendar, where Right picks the next day.
        {"Space Tab Tab Tab Tab Tab Tab Tab Right Esc", "Message2Edit",
         [&] { EXPECT_FALSE(shown("Frame2")); }},
        {"Tab Space \"Bring a cake\" Alt+S", "Message2Notes",
         [&] {
             EXPECT_TRUE(closes("Frame4"));
             EXPECT_EQ(t.store.get(slotKey(2, SlotField::Notes)), "Bring a cake");
         }},
        {"Space \" and candles\" Esc", "Message2Notes",
         [&] { EXPECT_EQ(t.store.get(slotKey(2, SlotField::Notes)), "Bring a cake"); }},
        {"Alt+V @menuViewOptions Down Esc", "Message2Notes",
         [&] {
             EXPECT_FALSE(shown("Frame6"));
             EXPECT_TRUE(child<QRadioButton>("OptionCalendarSetting1")->isChecked());
         }},
        {"Alt+V @menuViewOptions Down Alt+S", "Message2Notes",
         [&] {
             EXPECT_TRUE(closes("Frame6"));
             EXPECT_EQ(t.store.get(trackerkeys::kCalendarOption), "2");
         }},
        {"Alt+V @menuViewGrid", "List1", [&] { EXPECT_TRUE(shown("List1")); }},
        {"Alt+V N", "Message1Edit", [&] { EXPECT_TRUE(shown("Frame1")); }},
        {"Alt+H A", "butAboutOKContinue", [&] { EXPECT_TRUE(shown("Frame5")); }},
        {"Return", "Message1Edit", [&] { EXPECT_FALSE(shown("Frame5")); }},
        {"F1", "Message1Edit", [&] { EXPECT_EQ(help.topics, QList<int>{203}); }},
        // The About item has a help topic of its own; the other items the window's.
        {"Alt+H Down F1", "Message1Edit", [&] { EXPECT_EQ(help.topics, (QList<int>{203, 200})); }},
        {"Alt+V F1", "Message1Edit", [&] { EXPECT_EQ(help.topics, (QList<int>{203, 200, 203})); }},
        {"Alt+F X", nullptr, [&] { EXPECT_FALSE(w.isVisible()); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        play(s.keys);
        s.check();
        if (s.focus) {
            EXPECT_EQ(focused(), s.focus);
        }
    }
}

TEST_F(AlmanorKeyboardTest, TabFollowsTheLayoutOnEveryPanel)
{
    Almanor& w = openActive();
    // The editor's controls after the message, the browse button and the sound.
    const QStringList editor = {"OptionsSetHours", "OptionsSetMinutes", "OptionsSetSeconds",
                                "OptionsSetAmPm",  "Calendar1",         "butEditSave",
                                "butEditCancel"};
    const struct {
        const char* panel;
        std::function<void()> open;
        QStringList round;
    } panels[] = {
        {"the rows",
         [] {},
         {"Message1Edit", "Message1Notes", "Message2Edit", "Message2Notes", "Message3Edit"}},
        {"the editor on an event", [&] { w.MessageEditClick(1); },
         QStringList{"Text1", "butEditBrowse", "Wave1"} + editor +
             QStringList{"butEditDelete", "Text1"}},
        // Nothing of the editor beneath is in reach.
        {"About over the editor",
         [&] { w.menuhelpaboutClick(); },
         {"butAboutOKContinue", "butAboutOKContinue"}},
        {"the editor on an empty slot",
         [&] {
             w.butAboutOKContinueClick();
             EXPECT_EQ(focused(), "Text1") << "back where it was before About";
             w.butEditCancelClick();
             w.MessageEditClick(6);
         },
         QStringList{"Text6", "butEditBrowse", "Wave6"} + editor + QStringList{"Text6"}},
        {"the notes",
         [&] {
             w.butEditCancelClick();
             w.MessageNotesClick(6);
         },
         {"Notes1", "butNotesSave", "butNotesCancel", "Notes1"}},
        {"the options: Tab goes from group to group",
         [&] {
             w.butNotesCancelClick();
             w.menuViewOptionsClick();
         },
         {"OptionCalendarSetting1", "OptionDateTime", "butOptionsSave", "butOptionsCancel",
          "OptionCalendarSetting1"}},
        {"About over the grid",
         [&] {
             w.butOptionsCancelClick();
             w.menuViewGridClick();
             w.menuhelpaboutClick();
         },
         {"butAboutOKContinue", "butAboutOKContinue"}},
    };
    for (const auto& p : panels) {
        SCOPED_TRACE(p.panel);
        p.open();
        keyboard::expectTabRound(&w, p.round);
    }
}
