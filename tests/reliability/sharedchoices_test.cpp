// Two windows of a program open on the family's one store, as when a user runs two timers: the
// choice made last, in whichever window, is the one the store keeps for the next start.
#include "familywindows.h"
#include "fullscreenkeys.h"
#include "pellumkeys.h"
#include "tempstore.h"
#include "timerkeys.h"
#include "trackerkeys.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

namespace {

struct Choice {
    const char* name;
    std::function<std::unique_ptr<QWidget>(Family&)> open;
    QString firstItem;  // chosen in the first window
    QString secondItem; // then in the second, which still shows what both started with
    QString key;
    QString kept; // what the second choice stores
};

void checkLastChoiceKept(const Choice* first, const Choice* last)
{
    for (const Choice* choice = first; choice != last; ++choice) {
        SCOPED_TRACE(choice->name);
        TempStore t;
        Family family(t.store);
        const std::unique_ptr<QWidget> one = choice->open(family);
        const std::unique_ptr<QWidget> two = choice->open(family);
        item(*one, choice->firstItem)->trigger();
        ASSERT_NE(t.store.get(choice->key), choice->kept) << "the first choice was not stored";
        item(*two, choice->secondItem)->trigger();
        EXPECT_TRUE(item(*two, choice->secondItem)->isChecked());
        EXPECT_EQ(t.store.get(choice->key), choice->kept);
    }
}

} // namespace

TEST(SharedStore, ASkinOrScreenSizeChosenInOneWindowReplacesTheOthersChoice)
{
    const Choice choices[] = {
        {"Vexlo: skins", [](Family& f) -> std::unique_ptr<QWidget> { return f.vexlo(); },
         "menuBackgroundGranite1", "menuBackgroundWood5", timerkeys::kWindow.background,
         timerkeys::kFirstBackground},
        {"FullScreenVexlo: screen sizes",
         [](Family& f) -> std::unique_ptr<QWidget> { return f.fullScreen(); }, "menuScreenSize2",
         "menuScreenSize1", fullscreenkeys::kLargeDisplay, fullscreenkeys::kFalse},
        {"Pellum: skins", [](Family& f) -> std::unique_ptr<QWidget> { return f.pellum(); },
         "menuBackgroundGranite1", "menuBackgroundWood5", pellumkeys::kWindow.background,
         QStringLiteral("Wood5.gif")},
    };
    checkLastChoiceKept(std::begin(choices), std::end(choices));
}

// Choosing the mode or view a window already shows changes nothing, not even when another
// window has stored a different one since: the store keeps that other window's choice.
TEST(SharedStore, TheModeOrViewAWindowAlreadyShowsIsNotStoredAgain)
{
    struct Shown {
        const char* name;
        std::function<std::unique_ptr<QWidget>(Family&)> open;
        QString otherItem; // chosen in the first window
        QString shownItem; // then in the second, which shows it already
        QString key;
    };
    const Shown choices[] = {
        {"Vexlo", [](Family& f) -> std::unique_ptr<QWidget> { return f.vexlo(); }, "menuMode2",
         "menuMode1", timerkeys::kWindow.mode},
        {"FullScreenVexlo", [](Family& f) -> std::unique_ptr<QWidget> { return f.fullScreen(); },
         "menuTimingMode2", "menuTimingMode1", fullscreenkeys::kTimingMode},
        {"DateVexlo", [](Family& f) -> std::unique_ptr<QWidget> { return f.almanor(); },
         "menuViewGrid", "menuViewNormal", trackerkeys::kView},
        {"Pellum", [](Family& f) -> std::unique_ptr<QWidget> { return f.pellum(); }, "menuMode2",
         "menuMode1", pellumkeys::kWindow.mode},
    };
    for (const Shown& choice : choices) {
        SCOPED_TRACE(choice.name);
        TempStore t;
        Family family(t.store);
        const std::unique_ptr<QWidget> one = choice.open(family);
        const std::unique_ptr<QWidget> two = choice.open(family);
        item(*one, choice.otherItem)->trigger();
        const QString stored = t.store.get(choice.key);
        item(*two, choice.shownItem)->trigger();
        EXPECT_TRUE(item(*two, choice.shownItem)->isChecked());
        EXPECT_FALSE(item(*two, choice.otherItem)->isChecked());
        EXPECT_EQ(t.store.get(choice.key), stored);
    }
}

// Two DateVexlo windows on one event: each shows and rings what the other saved, opens it
// afresh, and saves over it, or deletes it, only when the user says so.
TEST(SharedStore, TwoTrackerWindowsOnOneEventSeeEachOthersSavesAndAskBeforeOverwriting)
{
    TempStore t;
    Family family(t.store);
    const std::unique_ptr<Almanor> one = family.almanor();
    const std::unique_ptr<Almanor> two = family.almanor();
    auto text = [](const Almanor& w) { return child<QLineEdit>(w, QStringLiteral("Text3")); };
    auto shown = [](const Almanor& w, const char* name) {
        return child<QLabel>(w, QString::fromLatin1(name))->text();
    };

    two->MessageEditClick(3);
    text(*two)->setText(QStringLiteral("Typed in two"));
    // Meanwhile the first window saves the event, two seconds ahead with a sound of its own.
    one->MessageEditClick(3);
    text(*one)->setText(QStringLiteral("Saved in one"));
    child<QComboBox>(*one, QStringLiteral("OptionsSetSeconds"))->setCurrentText("02");
    family.dialogs.chosenFile = QStringLiteral("/sounds/one.wav");
    one->butEditBrowseClick();
    one->butEditSaveClick();

    two->Timer1Tick();
    EXPECT_EQ(shown(*two, "Message3"), "Saved in one");
    EXPECT_EQ(shown(*two, "LabelRemaining3"), "0 days, 0 hrs, 0 mins, 2 secs.");
    family.clock.advance(1);
    two->Timer1Tick();
    EXPECT_EQ(family.sound.requests, QStringList{"/sounds/one.wav"});

    // Saving or deleting over it asks; No leaves the store and what was typed as they were.
    for (auto handler : {&Almanor::butEditSaveClick, &Almanor::butEditDeleteClick})
        (two.get()->*handler)();
    ASSERT_EQ(family.dialogs.shown.size(), 3); // the file dialog, then the two questions
    EXPECT_EQ(family.dialogs.shown[1].kind, "yesno");
    EXPECT_EQ(family.dialogs.shown[2].kind, "yesno");
    EXPECT_EQ(text(*two)->text(), "Typed in two");
    EXPECT_FALSE(child(*two, QStringLiteral("Frame2"))->isHidden());
    EXPECT_EQ(t.store.get(trackerkeys::slotKey(3, trackerkeys::SlotField::Message)),
              "Saved in one");

    // Opened again, the editor shows the other window's save, and saving over that asks nothing.
    two->butEditCancelClick();
    two->MessageEditClick(3);
    EXPECT_EQ(text(*two)->text(), "Saved in one");
    text(*two)->setText(QStringLiteral("Agreed"));
    two->butEditSaveClick();
    EXPECT_EQ(family.dialogs.shown.size(), 3);
    one->Timer1Tick();
    EXPECT_EQ(shown(*one, "Message3"), "Agreed");

    // The same for the notes: a save over notes stored since they opened asks; Yes saves.
    one->MessageNotesClick(3);
    two->MessageNotesClick(3);
    child<QPlainTextEdit>(*two, QStringLiteral("Notes1"))->setPlainText("Two's notes");
    two->butNotesSaveClick();
    child<QPlainTextEdit>(*one, QStringLiteral("Notes1"))->setPlainText("One's notes");
    family.dialogs.yesAnswer = true;
    one->butNotesSaveClick();
    ASSERT_EQ(family.dialogs.shown.size(), 4);
    EXPECT_EQ(family.dialogs.shown[3].kind, "yesno");
    EXPECT_EQ(t.store.get(trackerkeys::slotKey(3, trackerkeys::SlotField::Notes)), "One's notes");
}
