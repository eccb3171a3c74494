#include "fullscreenfixture.h"
#include "keyboarddriver.h"
#include "qtprinters.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QScrollBar>

#include <functional>

using keyboard::focused;

class FullScreenKeyboardTest : public keyboard::Fixture<FullScreenTest> {
protected:
    bool running() const { return child<QTimer>("Timer1")->isActive(); }
    // The window manager gives the keyboard to a window as it opens, or to the timer.
    void activate(const char* name)
    {
        QWidget* w = QString(name) == "timer" ? window.get() : child(name);
        ASSERT_TRUE(w->isVisible()) << name;
        ASSERT_TRUE(keyboard::activate(w)) << name;
    }
};

TEST_F(FullScreenKeyboardTest, EveryCommandTakesTheKeyboardAlone)
{
    FullScreenVexlo& w = open();
    activate("timer");
    EXPECT_EQ(focused(), "HScroll1");
    const struct {
        const char* keys;
        const char* focus;    // where the focus is afterwards
        const char* activate; // the window that opened, to be given the keyboard
        const char* thenKeys; // keys for that window
        std::function<void()> check;
    } steps[] = {
        {"Right Right Tab PgUp", "HScroll2", nullptr, nullptr,
         [&] { EXPECT_EQ(display(), " 0:02:10"); }},
        {"Space @menustart", "FullScreenVexlo", nullptr, nullptr, [&] { EXPECT_TRUE(running()); }},
        {"Return @menustart", "FullScreenVexlo", nullptr, nullptr,
         [&] { EXPECT_FALSE(running()); }},
        {"Menu @menuSave", "FullScreenVexlo", nullptr, nullptr,
         [&] { EXPECT_EQ(t.store.get(fullscreenkeys::kSeconds), "10"); }},
        {"Space @menuClear", "HScroll1", nullptr, nullptr,
         [&] { EXPECT_EQ(display(), " 0:00:00"); }},
        {"Space @menuRetrieve", "HScroll1", nullptr, nullptr,
         [&] { EXPECT_EQ(display(), " 0:02:10"); }},
        {"Space @menuTimingMode> @menuTimingMode2", "HScroll1", nullptr, nullptr,
         [&] { EXPECT_FALSE(w.normalMode()); }},
        {"Space @menuOptions", "TextMessage3", "Options", "\"Pens down\" Alt+S",
         [&] {
             EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("Options"); }));
             EXPECT_EQ(child<QLabel>("LabelMessage")->text(), "Pens down");
         }},
        {"Space @menuOptions", "TextMessage3", "Options", "\"Not this\" Esc",
         [&] {
             EXPECT_FALSE(shown("Options"));
             EXPECT_EQ(t.store.get(fullscreenkeys::kMessage), "Pens down");
         }},
        {"Space @menuhelpabout", "cmdOK", "frmAbout", "Return",
         [&] { EXPECT_FALSE(shown("frmAbout")); }},
        {"Space @menuhelpabout", "cmdOK", "frmAbout", "Esc",
         [&] { EXPECT_FALSE(shown("frmAbout")); }},
        {"F1", "HScroll1", nullptr, nullptr, [&] { EXPECT_EQ(help.topics, QList<int>{204}); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        activate("timer");
        play(s.keys);
        if (s.activate) {
            activate(s.activate);
            EXPECT_EQ(focused(), s.focus);
            play(s.thenKeys);
        } else {
            EXPECT_EQ(focused(), s.focus);
        }
        s.check();
    }

    // The Menu key and a right click on a bar open the command menu, not the bar's own; a click
    // elsewhere, which opens it too, leaves the keyboard on the bar, and the bar shows it has it.
    auto* bar = child<QScrollBar>("HScroll1");
    const auto closeCommandMenu = [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), "menufile");
        menu->close();
    };
    for (const auto reason : {QContextMenuEvent::Keyboard, QContextMenuEvent::Mouse}) {
        SCOPED_TRACE(reason);
        QContextMenuEvent event(reason, bar->rect().center(), bar->mapToGlobal(bar->rect().center()));
        QApplication::sendEvent(bar, &event);
        closeCommandMenu();
    }
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 5));
    closeCommandMenu();
    EXPECT_EQ(focused(), "HScroll1");
    const QImage focusedLook = bar->grab().toImage();
    w.setFocus();
    EXPECT_NE(bar->grab().toImage(), focusedLook);

    // Start without a time says so, and Enter closes that.
    w.menuClearClick();
    w.menustartClick();
    activate("NoTimeSelected");
    EXPECT_EQ(focused(), "butOK");
    play("Return");
    EXPECT_FALSE(shown("NoTimeSelected"));

    // At time up the Acknowledge button has the focus: Space or Alt+A.
    activate("timer");
    for (const char* keys : {"Space", "Alt+A"}) {
        SCOPED_TRACE(keys);
        runOut(0, 2);
        EXPECT_EQ(focused(), "butAcknowledge");
        play(keys);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("Frame2"); }));
        EXPECT_EQ(focused(), "HScroll1");
    }

    play("Space @menuExit");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(FullScreenKeyboardTest, TabFollowsTheLayoutInEveryWindow)
{
    open();
    const struct {
        const char* window;
        const char* opener;
        QStringList round;
    } windows[] = {
        // The window itself is a stop of its own: the keys that open the menu reach it there.
        {"timer", nullptr, {"HScroll1", "HScroll2", "FullScreenVexlo", "HScroll1"}},
        // The sound box is passed by: it is filled from the browser only.
        {"Options",
         "menuOptions",
         {"TextMessage3", "butbrowse1", "cmdSave", "cmdCancel", "cmdHelp", "TextMessage3"}},
        {"frmAbout", "menuhelpabout", {"cmdOK", "cmdHelp", "cmdOK"}},
    };
    for (const auto& s : windows) {
        SCOPED_TRACE(s.window);
        if (s.opener)
            item(s.opener)->trigger();
        activate(s.window);
        keyboard::expectTabRound(window.get(), s.round);
    }
}
