#include "accessibilitychecks.h"
#include "pellumfixture.h"
#include "qtprinters.h"

#include <QLineEdit>

#include <functional>

class PellumAccessibilityTest : public PellumTest {};

TEST_F(PellumAccessibilityTest, EveryShownControlReadsAsItsCaptionInEveryState)
{
    const struct {
        const char* state;
        std::function<void(Pellum&)> reach;
    } states[] = {
        {"stopped at start", [](Pellum&) {}},
        // The hint under the buttons changes with each of them.
        {"running", [](Pellum& w) { w.ButPellumStartClick(); }},
        {"stopped", [](Pellum& w) { w.ButPellumStopClick(); }},
        {"with the notepad", [this](Pellum&) { the<QAction>("menuNotepad")->trigger(); }},
        {"options", [](Pellum& w) { w.menuOptionsClick(); }},
        {"about, after a new title was saved",
         [this](Pellum& w) {
             the<QLineEdit>("FrameOptionsTitle")->setText("Kettle");
             w.butOptionsSaveClick();
             w.menuAboutClick();
         }},
        {"back on the timer", [](Pellum& w) { w.ButAboutOKrClick(); }},
    };
    Pellum& w = open();
    for (const auto& s : states) {
        SCOPED_TRACE(s.state);
        s.reach(w);
        EXPECT_EQ(unreadableControls(&w), QStringList());
    }
    // The hint reads as it now stands, not as it first read.
    w.ButPellumStartClick();
    EXPECT_EQ(accessibleName(the("FrameLabel1")),
              "Stop the Pellum timer or use the Action button!");
}
