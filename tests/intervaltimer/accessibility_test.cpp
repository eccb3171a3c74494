#include "accessibilitychecks.h"
#include "desktopshell.h"
#include "digitdisplay.h"
#include "qtprinters.h"
#include "resolutions.h"
#include "vexlofixture.h"

#include <QPlainTextEdit>

#include <functional>

class VexloAccessibilityTest : public VexloTest {
protected:
    DigitDisplay* digits() const { return child<DigitDisplay>("DigitDisplay"); }

    // Ticks `seconds` seconds and returns what a screen reader heard of the digits meanwhile.
    QStringList tickTelling(AccessibilityRecorder& recorder, int seconds)
    {
        return recorder.toldWhileTicking(digits(), seconds, [this] { tickEverySecond(1); });
    }
};

TEST_F(VexloAccessibilityTest, EveryShownControlReadsAsItsCaptionInEveryState)
{
    // "..." opens the file browser; it is named for what it does.
    const QStringList namedByHand = {"ButOptionsBrowse"};
    const struct {
        const char* state;
        std::function<void(Vexlo&)> reach;
    } states[] = {
        {"no time set", [](Vexlo&) {}},
        {"a time set", [this](Vexlo&) { setTime(2, 5); }},
        {"running", [](Vexlo& w) { w.StartStopTimer(); }},
        {"stopped", [](Vexlo& w) { w.StartStopTimer(); }},
        // The hint under the buttons changes back and forth.
        {"running again, with the notepad",
         [this](Vexlo& w) {
             w.StartStopTimer();
             item("menuNotepad")->trigger();
         }},
        {"options",
         [](Vexlo& w) {
             w.StartStopTimer();
             w.menuOptionsClick();
         }},
        {"about, after a new message was saved",
         [this](Vexlo& w) {
             child<QPlainTextEdit>("FrameOptionsText")->setPlainText("Tea is ready");
             w.butOptionsSaveClick();
             w.menuAboutClick();
         }},
        {"time is up",
         [this](Vexlo& w) {
             w.ButAboutOKrClick();
             runOut(0, 3);
         }},
        {"acknowledged", [](Vexlo& w) { w.ButVexloAcknowlegdeClick(); }},
    };
    Vexlo& w = open();
    for (const auto& s : states) {
        SCOPED_TRACE(s.state);
        s.reach(w);
        EXPECT_EQ(unreadableControls(&w, namedByHand), QStringList());
    }

    item("menuResolution")->trigger();
    auto* dialog = w.desktopShell().resolutions();
    ASSERT_NE(dialog, nullptr);
    // The legend's cells are drawn as a table; it is read by its heading.
    EXPECT_EQ(unreadableControls(dialog, {"LabelResolutions3"}), QStringList());
    EXPECT_EQ(accessibleName(dialog), "Change Color Display");
}

TEST_F(VexloAccessibilityTest, TheDigitsReadAsTheTimeAndTellEachNewMinuteAndTheAlarm)
{
    Vexlo& w = open();
    AccessibilityRecorder recorder;
    recorder.take(digits());

    setTime(2, 1);
    EXPECT_EQ(recorder.told(digits()), QStringList{"NameChanged 0:02:01"});
    w.StartStopTimer();

    // Ticks a second at a time, and what a screen reader hears after the last of them.
    const struct {
        int seconds;
        QStringList told;
    } steps[] = {
        {1, {}},  {1, {"NameChanged 0:01:59"}}, {59, {}}, {1, {"NameChanged 0:00:59"}},
        {58, {}}, {1, {"Alert 0:00:00"}}, // the minute was already 0
    };
    int elapsed = 0;
    for (const auto& step : steps) {
        elapsed += step.seconds;
        SCOPED_TRACE(elapsed);
        EXPECT_EQ(tickTelling(recorder, step.seconds), step.told);
        EXPECT_EQ(accessibleName(digits()), this->display().trimmed());
    }
    EXPECT_TRUE(shown("FrameVexlo2"));

    // A stopped timer set again by the bars is told as the new time.
    w.ButVexloAcknowlegdeClick();
    setTime(65, 0);
    EXPECT_EQ(recorder.told(digits()), QStringList{"NameChanged 1:05:00"});
    setTime(65, 30);
    EXPECT_EQ(recorder.told(digits()), QStringList());
}
