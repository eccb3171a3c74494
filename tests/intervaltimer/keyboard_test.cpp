#include "desktopshell.h"
#include "keyboarddriver.h"
#include "qtprinters.h"
#include "resolutions.h"
#include "vexlofixture.h"

#include <functional>

using keyboard::focused;

class VexloKeyboardTest : public keyboard::Fixture<VexloTest> {
protected:
    bool running() const { return child<QTimer>("Timer1")->isActive(); }
};

TEST_F(VexloKeyboardTest, EveryCommandTakesTheKeyboardAlone)
{
    openActive();
    const struct {
        const char* keys;
        const char* focus; // where the focus is afterwards
        std::function<void()> check;
    } steps[] = {
        {"Right Right Right", "HScroll1", [&] { EXPECT_EQ(display(), " 0:03:00"); }},
        {"Tab PgUp", "HScroll2", [&] { EXPECT_EQ(display(), " 0:03:05"); }},
        {"Tab Space", "ButVexloStop", [&] { EXPECT_TRUE(running()); }},
        {"Space", "ButVexloStart", [&] { EXPECT_FALSE(running()); }},
        {"Tab Space @menuSave", "ButVexloAction",
         [&] { EXPECT_EQ(t.store.get(timerkeys::kSavedSeconds), "5"); }},
        {"Return @menuClear", "HScroll1", [&] { EXPECT_EQ(display(), " 0:00:00"); }},
        // Shift+Tab goes back round from the first bar to Action.
        {"Shift+Tab Space @menuRetrieve", "ButVexloStart",
         [&] { EXPECT_EQ(display(), " 0:03:05"); }},
        {"Tab Space @menuOptions Tab \"Tea is ready\" Tab Tab Space", "ButVexloAction",
         [&] { EXPECT_EQ(t.store.get(timerkeys::kMessage), "Tea is ready"); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        play(s.keys);
        EXPECT_EQ(focused(), s.focus);
        s.check();
    }
}

TEST_F(VexloKeyboardTest, TheColourDisplayDialogAndTheAlarmAnswerTheKeys)
{
    Vexlo& w = openActive();
    child("ButVexloAction")->setFocus();
    play("Space @menuBackground> @menuResolution");
    Resolutions* dialog = w.desktopShell().resolutions();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(keyboard::activate(dialog));
    EXPECT_EQ(focused(), "List1");
    keyboard::expectTabRound(dialog,
                             {"List1", "butbResolutionsChange", "butResolutionsCancel", "List1"});
    play("Esc");
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(displayModes.changes, QList<int>());

    // The alarm takes the focus; Space answers it and the bars are back for the next time.
    ASSERT_TRUE(keyboard::activate(&w));
    runOut(0, 2);
    EXPECT_EQ(focused(), "ButVexloAcknowlegde");
    play("Space");
    EXPECT_FALSE(shown("FrameVexlo2"));
    EXPECT_EQ(focused(), "HScroll1");

    play("Shift+Tab Space @menuExit");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(VexloKeyboardTest, TabFollowsTheLayoutOnEveryPanel)
{
    Vexlo& w = openActive();
    const struct {
        const char* panel;
        std::function<void()> open;
        QStringList round;
    } panels[] = {
        {"the timer with a time set",
         [&] {
             setTime(1, 0);
             bar(1)->setFocus();
         },
         {"HScroll1", "HScroll2", "ButVexloStart", "ButVexloAction", "HScroll1"}},
        {"the notepad, which stands between the buttons and the bars",
         [&] {
             item("menuNotepad")->trigger();
             bar(1)->setFocus();
         },
         {"HScroll1", "HScroll2", "ButVexloStart", "ButVexloAction", "txtNotes", "HScroll1"}},
    };
    for (const auto& p : panels) {
        SCOPED_TRACE(p.panel);
        p.open();
        keyboard::expectTabRound(&w, p.round);
    }

    // The options' controls stand in this order in the focus chain itself.
    QStringList chain;
    QWidget* next = child("FrameOptionsTitle");
    for (int i = 0; i < 200 && chain.size() < 6; ++i, next = next->nextInFocusChain()) {
        if (next->parentWidget() == child("FrameOptions") && next->focusPolicy() & Qt::TabFocus)
            chain << next->objectName();
    }
    EXPECT_EQ(chain, (QStringList{"FrameOptionsTitle", "FrameOptionsText", "ButOptionsBrowse",
                                  "butOptionsSave", "ButOptionsCancel", "butOptionsHelp"}));
}
