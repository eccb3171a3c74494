#include "pellumfixture.h"

#include "refusingstore.h"

#include <QDir>
#include <QLineEdit>

namespace {

const QString kAbsent = QStringLiteral("<absent>");

} // namespace

TEST_F(PellumTest, FirstStartShowsNoCountWithStartAndClearReady)
{
    Pellum& w = open();
    EXPECT_EQ(w.LabelSecondsRemaining3(), "LabelSecondsRemaining3");
    EXPECT_EQ(w.focusWidget(), the("ButPellumStart"));
    EXPECT_TRUE(the<QAction>("menuclear")->isVisible());
}

TEST_F(PellumTest, LaterStartsReadTheStoreAndRepairACommentedWhite)
{
    struct Case {
        QString colour1;
        QString storedAfter;
        bool error;
    };
    const Case cases[] = {
        {"16777215    'white", "16777215", false},
        {"255", "255", false},
        // Only the one known form is repaired; any other text is no colour.
        {"16777215  'white", "16777215  'white", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour1.toStdString());
        TempStore fresh;
        EXPECT_TRUE(fresh.store.saveAll({{pellumkeys::kWindow.path, VEXLO_PROGRAM_DIR},
                                         {pellumkeys::kWindow.background, "Wood3.gif"},
                                         {pellumkeys::kWindow.foreColor1, c.colour1},
                                         {pellumkeys::kWindow.foreColor2, "65535"},
                                         {pellumkeys::kWindow.alwaysOnTop, "0"}}));
        dialogs.shown.clear();
        open(fresh.store);
        EXPECT_EQ(fresh.store.get(pellumkeys::kWindow.foreColor1), c.storedAfter);
        EXPECT_EQ(window->skins().fields().LabelColor1, c.storedAfter);
        EXPECT_EQ(window->skins().fields().LabelPicture1, "Wood3.gif");
        EXPECT_TRUE(the<QAction>("menuBackgroundWood3")->isChecked());
        EXPECT_FALSE(the<QAction>("menuAlwaysOnTop")->isChecked());
        EXPECT_EQ(dialogs.shown.size(), c.error ? 1 : 0);
        window.reset(); // before its store goes
    }
}

TEST_F(PellumTest, ATitleFromTheOptionsLastsUntilExit)
{
    Pellum& w = open();
    w.menuOptionsClick();
    the<QLineEdit>("FrameOptionsTitle")->setText("Meeting");
    w.butOptionsSaveClick();
    EXPECT_EQ(w.windowTitle(), "Meeting");
    EXPECT_EQ(w.currentTitle(), "Meeting");
    w.close();
    EXPECT_EQ(t.store.get(pellumkeys::kWindow.currentTitle, kAbsent), kAbsent);

    Pellum& again = open();
    EXPECT_EQ(again.windowTitle(), "Pellum 8.01");
    EXPECT_EQ(again.currentTitle(), "Pellum");
    EXPECT_EQ(the<QLineEdit>("FrameOptionsTitle")->text(), "Pellum");
}

TEST_F(PellumTest, SavesTheStoreRefusesAreReported)
{
    TempStore fresh;
    RefusingStore store(fresh.store);
    store.refuseWrites = true;
    window = make(store);
    window->show();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].title, "Pellum");
    EXPECT_TRUE(window->normalMode()); // the first start goes on with its defaults

    the<QAction>("menuMode2")->trigger();
    EXPECT_EQ(dialogs.shown.size(), 2);
    window->close();
    EXPECT_EQ(dialogs.shown.size(), 3);
    EXPECT_EQ(dialogs.shown[2].kind, "message");
}
