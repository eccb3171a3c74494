#include "pellumfixture.h"

#include "skins.h"

#include <QPlainTextEdit>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const char* const kAboutTexts[] = {"LabelAbout1", "LabelAbout2", "LabelAbout3"};

} // namespace

class PellumPanelsTest : public PellumTest {
protected:
    QColor ink(const char* label) const
    {
        return the(label)->palette().color(QPalette::WindowText);
    }
    bool hasPicture(const char* panel) const { return !the<SkinPanel>(panel)->picture().isNull(); }
};

TEST_F(PellumPanelsTest, ASkinDressesEveryPanelButColoursOnlyAboutAndTheTitleCaption)
{
    open();
    const QPalette hint = the("FrameLabel1")->palette();
    const ImageList* hoursList = the<PictureBox>("Image1")->list();

    the<QAction>("menuBackgroundWood4")->trigger();
    for (const char* panel :
         {"FramePellumFrame1", "FrameAbout", "FrameAboutFrame2", "FrameOptions"})
        EXPECT_TRUE(hasPicture(panel)) << panel;
    for (const char* label : kAboutTexts)
        EXPECT_EQ(ink(label), kRed) << label;
    EXPECT_EQ(ink("FrameOptionsLabel0"), kBlue);

    // Corrugated keeps Pellum's own spelling of its file.
    the<QAction>("menuBackgroundWood0")->trigger();
    EXPECT_EQ(t.store.get(pellumkeys::kWindow.background), "wood0.gif");
    EXPECT_TRUE(hasPicture("FramePellumFrame1"));

    // Under Default the options panel keeps its picture, and with it the caption's colour.
    the<QAction>("menuBackgroundDefault")->trigger();
    EXPECT_EQ(t.store.get(pellumkeys::kWindow.runDefaultColors), "True");
    for (const char* panel : {"FramePellumFrame1", "FrameAbout", "FrameAboutFrame2"})
        EXPECT_FALSE(hasPicture(panel)) << panel;
    EXPECT_TRUE(hasPicture("FrameOptions"));
    for (const char* label : kAboutTexts)
        EXPECT_EQ(ink(label), kRed) << label;
    EXPECT_EQ(ink("FrameOptionsLabel0"), Qt::white);

    // The hint and the digits stand on their own dark ground under every look.
    EXPECT_EQ(the("FrameLabel1")->palette(), hint);
    EXPECT_EQ(the<PictureBox>("Image1")->list(), hoursList);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Restarted under Default, no panel has a picture.
    open();
    for (const char* panel : {"FramePellumFrame1", "FrameAbout", "FrameOptions"})
        EXPECT_FALSE(hasPicture(panel)) << panel;
    EXPECT_TRUE(the<QAction>("menuBackgroundDefault")->isChecked());
}

TEST_F(PellumPanelsTest, OnlyItsOwnItemHidesTheNotepad)
{
    Pellum& w = open();
    QAction* notepad = the<QAction>("menuNotepad");
    notepad->trigger();
    EXPECT_TRUE(shown("txtNotes"));
    EXPECT_EQ(notepad->text(), "Hide The Notepad");
    w.ButPellumStartClick();
    w.ButPellumStopClick();
    the<QAction>("menuclear")->trigger();
    EXPECT_TRUE(shown("txtNotes"));
    notepad->trigger();
    EXPECT_FALSE(shown("txtNotes"));
    EXPECT_EQ(notepad->text(), "Show The Notepad");
}
