// A settings folder that takes no writes (read-only, or a full disk): the programs run on, and
// every save the user makes says that it could not be saved, rather than passing for done.
#include "familywindows.h"
#include "refusingstore.h"
#include "skins.h"
#include "tempstore.h"
#include "trackerkeys.h"

#include <QPushButton>

#include <functional>

namespace {

// What every program of the family says, in its own words around it, when the store refuses.
const QString kCannotBeWritten = QStringLiteral("the settings file cannot be written");

struct Save {
    const char* name;
    std::function<std::unique_ptr<QWidget>(Family&)> open;
    std::function<void(QWidget&)> make;
    QString reportStart; // how the report begins
};

std::unique_ptr<QWidget> openVexlo(Family& f)
{
    return f.vexlo();
}
std::unique_ptr<QWidget> openAlmanor(Family& f)
{
    return f.almanor();
}
std::unique_ptr<QWidget> openFullScreen(Family& f)
{
    return f.fullScreen();
}
std::unique_ptr<QWidget> openPellum(Family& f)
{
    return f.pellum();
}

Vexlo& vexlo(QWidget& w)
{
    return static_cast<Vexlo&>(w);
}
Almanor& almanor(QWidget& w)
{
    return static_cast<Almanor&>(w);
}
FullScreenVexlo& fullScreen(QWidget& w)
{
    return static_cast<FullScreenVexlo&>(w);
}

// Each save runs over a store that already holds an event in slot 2 and has refused every write
// since before the program started.
void checkEveryReport(const Save* first, const Save* last)
{
    for (const Save* save = first; save != last; ++save) {
        SCOPED_TRACE(save->name);
        TempStore t;
        using trackerkeys::SlotField;
        using trackerkeys::slotKey;
        ASSERT_TRUE(
            t.store.saveAll({{slotKey(2, SlotField::Message), QStringLiteral("Party")},
                             {slotKey(2, SlotField::Date), QStringLiteral("12/31/2026")},
                             {slotKey(2, SlotField::Time), QStringLiteral("08:00:00 PM")}}));
        RefusingStore store(t.store);
        store.refuseWrites = true;
        Family family(store);
        const std::unique_ptr<QWidget> window = save->open(family);
        family.dialogs.shown.clear();

        save->make(*window);
        EXPECT_EQ(family.dialogs.shown.size(), 1) << "no report, or more than one";
        if (family.dialogs.shown.isEmpty())
            continue;
        const ScriptedDialogs::Shown& shown = family.dialogs.shown.first();
        EXPECT_EQ(shown.kind, "message");
        EXPECT_TRUE(shown.text.startsWith(save->reportStart)) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(kCannotBeWritten)) << shown.text.toStdString();
    }
}

} // namespace

TEST(ReadOnlySettings, EverySaveOfTimesEventsNotesAndOptionsSaysItWasNotSaved)
{
    const Save saves[] = {
        {"Vexlo: Save this time", openVexlo,
         [](QWidget& w) {
             setTime(w, 3, 7);
             item(w, QStringLiteral("menuSave"))->trigger();
         },
         QStringLiteral("This time could not be saved")},
        {"Vexlo: the options' Save", openVexlo,
         [](QWidget& w) {
             vexlo(w).menuOptionsClick();
             vexlo(w).butOptionsSaveClick();
         },
         QStringLiteral("These options could not be saved")},
        {"DateVexlo: the editor's Save", openAlmanor,
         [](QWidget& w) {
             almanor(w).MessageEditClick(1);
             almanor(w).butEditSaveClick();
         },
         QStringLiteral("Message 1 could not be saved")},
        {"DateVexlo: the editor's Delete", openAlmanor,
         [](QWidget& w) {
             almanor(w).MessageEditClick(2);
             almanor(w).butEditDeleteClick();
         },
         QStringLiteral("Message 2 could not be deleted")},
        {"DateVexlo: the notes' Save", openAlmanor,
         [](QWidget& w) {
             almanor(w).MessageNotesClick(2);
             almanor(w).butNotesSaveClick();
         },
         QStringLiteral("The notes of message 2 could not be saved")},
        {"DateVexlo: the options' Save", openAlmanor,
         [](QWidget& w) {
             almanor(w).menuViewOptionsClick();
             almanor(w).butOptionsSaveClick();
         },
         QStringLiteral("The options could not be saved")},
        {"FullScreenVexlo: Save this time", openFullScreen,
         [](QWidget& w) {
             setTime(w, 3, 7);
             item(w, QStringLiteral("menuSave"))->trigger();
         },
         QStringLiteral("This time could not be saved")},
        {"FullScreenVexlo: the options' Save", openFullScreen,
         [](QWidget& w) {
             fullScreen(w).menuOptionsClick();
             child<QPushButton>(w, QStringLiteral("cmdSave"))->click();
         },
         QStringLiteral("The options could not be saved")},
        {"FullScreenVexlo: a timing mode", openFullScreen,
         [](QWidget& w) { item(w, QStringLiteral("menuTimingMode2"))->trigger(); },
         QStringLiteral("The timing mode could not be saved")},
        {"FullScreenVexlo: a screen size", openFullScreen,
         [](QWidget& w) { item(w, QStringLiteral("menuScreenSize2"))->trigger(); },
         QStringLiteral("The screen size could not be saved")},
    };
    checkEveryReport(std::begin(saves), std::end(saves));
}

// Choices from the menus are kept for the next start as the ones above are, and say so when
// they cannot be.
TEST(ReadOnlySettings, EveryChoiceFromAMenuSaysItWasNotSaved)
{
    const Save saves[] = {
        {"Vexlo: a timing mode", openVexlo,
         [](QWidget& w) { item(w, QStringLiteral("menuMode2"))->trigger(); },
         QStringLiteral("The timing mode could not be saved")},
        {"Vexlo: Always On Top", openVexlo,
         [](QWidget& w) { item(w, QStringLiteral("menuAlwaysOnTop"))->trigger(); },
         QStringLiteral("Always On Top could not be saved")},
        {"Vexlo: a skin", openVexlo,
         [](QWidget& w) { item(w, QStringLiteral("menuBackgroundGranite1"))->trigger(); },
         QStringLiteral("The background could not be saved")},
        {"Vexlo: the Default look", openVexlo,
         [](QWidget& w) { item(w, QStringLiteral("menuBackgroundDefault"))->trigger(); },
         QStringLiteral("The background could not be saved")},
        {"DateVexlo: Grid View", openAlmanor,
         [](QWidget& w) { item(w, QStringLiteral("menuViewGrid"))->trigger(); },
         QStringLiteral("The view could not be saved")},
        {"Pellum: a timing mode", openPellum,
         [](QWidget& w) { item(w, QStringLiteral("menuMode2"))->trigger(); },
         QStringLiteral("The timing mode could not be saved")},
        {"Pellum: Always On Top", openPellum,
         [](QWidget& w) { item(w, QStringLiteral("menuAlwaysOnTop"))->trigger(); },
         QStringLiteral("Always On Top could not be saved")},
        {"Pellum: a skin", openPellum,
         [](QWidget& w) { item(w, QStringLiteral("menuBackgroundMarble2"))->trigger(); },
         QStringLiteral("The background could not be saved")},
        {"Pellum: the Default look", openPellum,
         [](QWidget& w) { item(w, QStringLiteral("menuBackgroundDefault"))->trigger(); },
         QStringLiteral("The background could not be saved")},
    };
    checkEveryReport(std::begin(saves), std::end(saves));
}

// The store holds the Default look and refuses to give it up: a skin the user chooses still
// shows, checked, until the window closes.
TEST(ReadOnlySettings, ASkinChosenOverAStoredDefaultLookStillShows)
{
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>(Family&)>> timers[] = {
        {"Vexlo", openVexlo},
        {"Pellum", openPellum},
    };
    for (const auto& [name, open] : timers) {
        SCOPED_TRACE(name);
        TempStore t;
        RefusingStore store(t.store);
        Family family(store);
        // A first start, then the Default look chosen while the store still took writes.
        open(family)->close();
        item(*open(family), QStringLiteral("menuBackgroundDefault"))->trigger();
        store.refuseWrites = true;

        const std::unique_ptr<QWidget> window = open(family);
        ASSERT_TRUE(item(*window, QStringLiteral("menuBackgroundDefault"))->isChecked());
        item(*window, QStringLiteral("menuBackgroundGranite1"))->trigger();
        EXPECT_TRUE(item(*window, QStringLiteral("menuBackgroundGranite1"))->isChecked());
        EXPECT_FALSE(item(*window, QStringLiteral("menuBackgroundDefault"))->isChecked());
        for (const SkinPanel* panel : window->findChildren<SkinPanel*>())
            EXPECT_FALSE(panel->picture().isNull()) << panel->objectName().toStdString();
    }
}
