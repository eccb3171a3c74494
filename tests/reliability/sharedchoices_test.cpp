// Two windows of a program open on the family's one store, as when a user runs two timers: the
// choice made last, in whichever window, is the one the store keeps for the next start.
#include "familywindows.h"
#include "fullscreenkeys.h"
#include "pellumkeys.h"
#include "tempstore.h"
#include "timerkeys.h"
#include "trackerkeys.h"

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
         "menuBackgroundGranite1", "menuBackgroundWood5", timerkeys::kBackground,
         timerkeys::kFirstBackground},
        {"FullScreenVexlo: screen sizes",
         [](Family& f) -> std::unique_ptr<QWidget> { return f.fullScreen(); }, "menuScreenSize2",
         "menuScreenSize1", fullscreenkeys::kLargeDisplay, fullscreenkeys::kFalse},
        {"Pellum: skins", [](Family& f) -> std::unique_ptr<QWidget> { return f.pellum(); },
         "menuBackgroundGranite1", "menuBackgroundWood5", pellumkeys::kBackground.name,
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
         "menuMode1", timerkeys::kMode},
        {"FullScreenVexlo", [](Family& f) -> std::unique_ptr<QWidget> { return f.fullScreen(); },
         "menuTimingMode2", "menuTimingMode1", fullscreenkeys::kTimingMode},
        {"DateVexlo", [](Family& f) -> std::unique_ptr<QWidget> { return f.almanor(); },
         "menuViewGrid", "menuViewNormal", trackerkeys::kView},
        {"Pellum", [](Family& f) -> std::unique_ptr<QWidget> { return f.pellum(); }, "menuMode2",
         "menuMode1", pellumkeys::kMode.name},
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
