#include "accessibilitychecks.h"
#include "digitdisplay.h"
#include "fullscreenfixture.h"
#include "qtprinters.h"

#include <QDialog>
#include <QLineEdit>

#include <functional>

class FullScreenAccessibilityTest : public FullScreenTest {
protected:
    DigitDisplay* digits() const { return child<DigitDisplay>("DigitDisplay"); }

    // Ticks `seconds` seconds and returns what a screen reader heard of the digits meanwhile.
    QStringList tickTelling(AccessibilityRecorder& recorder, int seconds)
    {
        return recorder.toldWhileTicking(digits(), seconds, [this] { tickEverySecond(1); });
    }
};

TEST_F(FullScreenAccessibilityTest, EveryShownControlReadsAsItsCaptionInEveryState)
{
    const struct {
        const char* state;
        std::function<void(FullScreenVexlo&)> reach;
    } states[] = {
        {"no time set", [](FullScreenVexlo&) {}},
        {"a time set", [this](FullScreenVexlo&) { setTime(3, 20); }},
        {"running", [](FullScreenVexlo& w) { w.menustartClick(); }},
        {"stopped", [](FullScreenVexlo& w) { w.menustartClick(); }},
        {"time is up", [this](FullScreenVexlo&) { runOut(0, 2); }},
        {"acknowledged", [](FullScreenVexlo& w) { w.butAcknowledgeClick(); }},
        {"the larger screen", [](FullScreenVexlo& w) { w.menuScreenSize2Click(); }},
    };
    FullScreenVexlo& w = open();
    for (const auto& s : states) {
        SCOPED_TRACE(s.state);
        s.reach(w);
        EXPECT_EQ(unreadableControls(&w), QStringList());
    }

    // The windows beside the timer, each named by its title.
    item("menuOptions")->trigger();
    item("menuhelpabout")->trigger();
    w.menuClearClick();
    w.menustartClick();
    const struct {
        const char* window;
        QString name;
        QStringList namedByHand;
    } windows[] = {
        // "..." opens the file browser; it is named for what it does.
        {"Options", "Options", {"butbrowse1"}},
        {"frmAbout", "About Full Screen Vexlo", {}},
        {"NoTimeSelected", "Full Screen Vexlo - No Time Selected", {}},
    };
    for (const auto& d : windows) {
        SCOPED_TRACE(d.window);
        auto* dialog = child<QDialog>(d.window);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(accessibleName(dialog), d.name);
        EXPECT_EQ(unreadableControls(dialog, d.namedByHand), QStringList());
    }
}

TEST_F(FullScreenAccessibilityTest, TheDigitsReadAsTheTimeAndTellEachNewMinuteAndTheAlarm)
{
    for (const bool larger : {false, true}) {
        SCOPED_TRACE(larger ? "larger screen" : "smaller screen");
        EXPECT_TRUE(t.store.save(fullscreenkeys::kLargeDisplay,
                                 larger ? fullscreenkeys::kTrue : fullscreenkeys::kFalse));
        FullScreenVexlo& w = open();
        AccessibilityRecorder recorder;
        recorder.take(digits());
        EXPECT_EQ(accessibleName(digits()), "0:00:00");

        setTime(61, 1);
        EXPECT_EQ(recorder.told(digits()), QStringList{"NameChanged 1:01:01"});
        w.menustartClick();
        const struct {
            int seconds;
            QStringList told;
        } steps[] = {
            {1, {}},
            {1, {"NameChanged 1:00:59"}},
            {59, {}},
            {1, {"NameChanged 0:59:59"}},
            {120, {"NameChanged 0:58:59", "NameChanged 0:57:59"}},
        };
        int elapsed = 0;
        for (const auto& step : steps) {
            elapsed += step.seconds;
            SCOPED_TRACE(elapsed);
            EXPECT_EQ(tickTelling(recorder, step.seconds), step.told);
            EXPECT_EQ(accessibleName(digits()), display().trimmed());
        }
        tickEverySecond(57 * 60 + 58);
        recorder.take(digits());
        EXPECT_EQ(accessibleName(digits()), "0:00:01");
        EXPECT_EQ(tickTelling(recorder, 1), QStringList{"Alert 0:00:00"}) << "the minute was 0";
        EXPECT_TRUE(shown("Frame2"));
    }
}

TEST_F(FullScreenAccessibilityTest, TheMessageIsReadAsItIsShown)
{
    EXPECT_TRUE(t.store.save(fullscreenkeys::kMessage, "Exam ends at noon"));
    open();
    auto* message = child("LabelMessage");
    EXPECT_EQ(accessibleName(message), "Exam ends at noon");
    EXPECT_EQ(accessibleDescription(message), "Message");

    item("menuOptions")->trigger();
    child<QLineEdit>("TextMessage3")->setText("Pens down");
    child("Options")->findChild<QPushButton*>("cmdSave")->click();
    EXPECT_EQ(accessibleName(message), "Pens down");

    // An empty message is read as what the line is.
    item("menuOptions")->trigger();
    child<QLineEdit>("TextMessage3")->clear();
    child("Options")->findChild<QPushButton*>("cmdSave")->click();
    EXPECT_EQ(accessibleName(message), "Message");
}
