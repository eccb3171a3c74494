#include "keyboarddriver.h"
#include "pellumfixture.h"
#include "qtprinters.h"

#include <QPlainTextEdit>

#include <functional>

using keyboard::focused;

class PellumKeyboardTest : public keyboard::Fixture<PellumTest> {
protected:
    bool running() const { return the<QTimer>("Timer1")->isActive(); }
};

TEST_F(PellumKeyboardTest, EveryCommandTakesTheKeyboardAlone)
{
    Pellum& w = openActive();
    EXPECT_EQ(focused(), "ButPellumStart");
    const struct {
        const char* keys;
        const char* focus; // where the focus is afterwards
        std::function<void()> check;
    } steps[] = {
        {"Space", "ButPellumStop", [&] { EXPECT_TRUE(running()); }},
        {"Space", "ButPellumStart",
         [&] {
             EXPECT_FALSE(running());
             tickFor(3);
         }},
        {"Tab Space @menuclear", "ButPellumAction", [&] { EXPECT_EQ(display(), " 0:00:00"); }},
        {"Space @menuMode> @menuMode2", "ButPellumAction",
         [&] { EXPECT_FALSE(w.normalMode()); }},
        {"Space @menuOptions \"Kettle\" Esc", "ButPellumStart",
         [&] {
             EXPECT_FALSE(shown("FrameOptions"));
             EXPECT_EQ(w.currentTitle(), "Pellum");
         }},
        {"Tab Space @menuOptions \"Kettle\" Return", "ButPellumStart",
         [&] { EXPECT_EQ(w.currentTitle(), "Kettle"); }},
        {"Tab Space @menuAbout Return", "ButPellumStart",
         [&] { EXPECT_FALSE(shown("FrameAbout")); }},
        {"Tab Space @menuAbout Esc", "ButPellumStart", [&] { EXPECT_FALSE(shown("FrameAbout")); }},
        {"Tab Space @menuHelp", "ButPellumAction", [&] { EXPECT_EQ(help.topics, QList<int>{202}); }},
        {"Space @menuAlwaysOnTop", "ButPellumAction",
         [&] { EXPECT_EQ(stacking.calls.value(stacking.calls.size() - 1), "normal"); }},
        {"Space @menuNewTimer", "ButPellumAction", [&] { EXPECT_EQ(launcher.starts, 1); }},
        {"Space @menuNotepad \"Call back\"", "txtNotes",
         [&] { EXPECT_EQ(the<QPlainTextEdit>("txtNotes")->toPlainText(), "Call back"); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        play(s.keys);
        EXPECT_EQ(focused(), s.focus);
        s.check();
    }
    play("Shift+Tab Space @menuExit");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(PellumKeyboardTest, TabFollowsTheLayoutOnEveryPanel)
{
    Pellum& w = openActive();
    const struct {
        const char* panel;
        std::function<void()> open;
        QStringList round;
    } panels[] = {
        {"stopped", [] {}, {"ButPellumStart", "ButPellumAction", "ButPellumStart"}},
        {"with the notepad, below the buttons",
         [&] {
             the<QAction>("menuNotepad")->trigger();
             the("ButPellumStart")->setFocus();
         },
         {"ButPellumStart", "ButPellumAction", "txtNotes", "ButPellumStart"}},
        {"running",
         [&] { w.ButPellumStartClick(); },
         {"ButPellumStop", "ButPellumAction", "txtNotes", "ButPellumStop"}},
        {"the options",
         [&] { w.menuOptionsClick(); },
         {"FrameOptionsTitle", "butOptionsSave", "ButOptionsCancel", "butOptionsHelp",
          "FrameOptionsTitle"}},
        {"About",
         [&] {
             w.ButOptionsCancelClick();
             w.menuAboutClick();
         },
         {"ButAboutOKr", "butAboutHelpR", "ButAboutOKr"}},
    };
    for (const auto& p : panels) {
        SCOPED_TRACE(p.panel);
        p.open();
        keyboard::expectTabRound(&w, p.round);
    }
}
