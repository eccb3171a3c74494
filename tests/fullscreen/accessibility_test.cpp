#include "accessibilitychecks.h"
#include "fullscreenfixture.h"
#include "qtprinters.h"

#include <QDialog>
#include <QLineEdit>

#include <functional>

class FullScreenAccessibilityTest : public FullScreenTest {};

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
