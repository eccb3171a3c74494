#include "accessibilitychecks.h"
#include "digitdisplay.h"
#include "pellumfixture.h"
#include "qtprinters.h"

#include <QLineEdit>

#include <functional>

class PellumAccessibilityTest : public PellumTest {
protected:
    DigitDisplay* digits() const { return the<DigitDisplay>("DigitDisplay"); }

    // Ticks `seconds` seconds and returns what a screen reader heard of the digits meanwhile.
    QStringList tickTelling(AccessibilityRecorder& recorder, int seconds)
    {
        return recorder.toldWhileTicking(digits(), seconds, [this] { tickFor(1); });
    }
};

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

TEST_F(PellumAccessibilityTest, TheDigitsReadAsTheTimeAndTellEachNewMinute)
{
    Pellum& w = open();
    AccessibilityRecorder recorder;
    recorder.take(digits());
    w.ButPellumStartClick();
    // Ticks a second at a time, and what a screen reader hears after the last of them.
    const struct {
        int seconds;
        QStringList told;
    } steps[] = {
        {59, {}},
        {1, {"NameChanged 0:01:00"}},
        {59, {}},
        {1, {"NameChanged 0:02:00"}},
        {3480, {"NameChanged 0:03:00"}}, // and a minute at a time on ...
    };
    int elapsed = 0;
    for (const auto& step : steps) {
        elapsed += step.seconds;
        SCOPED_TRACE(elapsed);
        const QStringList told = tickTelling(recorder, step.seconds);
        if (step.seconds < 60) {
            EXPECT_EQ(told, step.told);
        } else {
            EXPECT_EQ(told.size(), step.seconds / 60);
            EXPECT_EQ(told.value(0), step.told.value(0));
            EXPECT_EQ(told.value(told.size() - 1), "NameChanged 1:00:00");
        }
        EXPECT_EQ(accessibleName(digits()), display().trimmed());
    }

    // Cleared while stopped, the digits read nought again.
    w.ButPellumStopClick();
    the<QAction>("menuclear")->trigger();
    EXPECT_EQ(recorder.told(digits()), QStringList{"NameChanged 0:00:00"});
}
