#include "accessibilitychecks.h"
#include "desktopshell.h"
#include "qtprinters.h"
#include "resolutions.h"
#include "vexlofixture.h"

#include <QPlainTextEdit>

#include <functional>

class VexloAccessibilityTest : public VexloTest {};

TEST_F(VexloAccessibilityTest, EveryShownControlReadsAsItsCaptionInEveryState)
{
    // "..." opens the file browser; it is named for what it does.
    const QStringList namedByHand = {"ButOptionsBrowse"};
    const struct {
        const char* state;
        std::function<void(Vexlo&)> reach;
    } states[] = {
        {"a time set", [this](Vexlo&) { setTime(2, 5); }},
        {"about, after a new message was saved",
         [this](Vexlo& w) {
             w.menuOptionsClick();
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
