#include "keyboarddriver.h"
#include "pellumfixture.h"
#include "qtprinters.h"

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
        // Return in the title box saves the options.
        {"Space @menuOptions \"Kettle\" Return", "ButPellumStart",
         [&] { EXPECT_EQ(w.currentTitle(), "Kettle"); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        play(s.keys);
        EXPECT_EQ(focused(), s.focus);
        s.check();
    }
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
    };
    for (const auto& p : panels) {
        SCOPED_TRACE(p.panel);
        p.open();
        keyboard::expectTabRound(&w, p.round);
    }
}
