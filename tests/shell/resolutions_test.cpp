#include "qtprinters.h"
#include "resolutions.h"
#include "scripteddialogs.h"
#include "scripteddisplaymodes.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

class ResolutionsTest : public ::testing::Test {
protected:
    Resolutions& open()
    {
        dialog = std::make_unique<Resolutions>(modes, dialogs);
        dialog->open();
        return *dialog;
    }
    QListWidget* list() const { return dialog->findChild<QListWidget*>("List1"); }
    QStringList entries() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    QStringList highlighted() const
    {
        QStringList texts;
        for (const QListWidgetItem* item : list()->selectedItems())
            texts << QString::number(list()->row(item)) + '=' + item->text();
        return texts;
    }

    ScriptedDisplayModes modes;
    ScriptedDialogs dialogs;
    std::unique_ptr<Resolutions> dialog;
};

TEST_F(ResolutionsTest, ListsEveryModeInOrderWithTheCurrentOneHighlighted)
{
    struct Case {
        const char* why;
        std::optional<DisplayMode> current;
        QStringList highlighted;
    };
    const Case cases[] = {
        // Of the same mode at two refresh rates, the later entry.
        {"current twice", DisplayMode{1280, 800, 32}, {"3=1280x800x32"}},
        {"current once", DisplayMode{1024, 768, 16}, {"4=1024x768x16"}},
        {"not listed", DisplayMode{1920, 1080, 32}, {}},
        {"unknown", std::nullopt, {}},
    };
    modes.modes = {
        {1024, 768, 32}, {1280, 800, 32}, {800, 600, 32}, {1280, 800, 32}, {1024, 768, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        modes.now = c.current;
        open();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(entries(), (QStringList{"1024x768x32", "1280x800x32", "800x600x32", "1280x800x32",
                                          "1024x768x16"}));
        EXPECT_EQ(highlighted(), c.highlighted);
    }
}

TEST_F(ResolutionsTest, AListLongerThanNineKeepsEveryEntry)
{
    for (const int count : {8, 9, 10, 17, 18, 40}) {
        SCOPED_TRACE(count);
        modes.modes.clear();
        QStringList expected;
        for (int i = 0; i < count; ++i) {
            modes.modes.append({640 + 16 * i, 480 + i, i % 2 ? 16 : 32});
            expected << modes.modes.last().text();
        }
        modes.now = modes.modes.last();
        open();
        EXPECT_EQ(entries(), expected);
        EXPECT_EQ(highlighted(), QStringList{QString::number(count - 1) + '=' + expected.last()});
    }
}

TEST_F(ResolutionsTest, ChangeReportsWhatTheDisplaySaysAndNeverOffersARestart)
{
    struct Case {
        int result;
        bool yes;
        QString kind;
        QString text;
    };
    const QString restart = "This desktop cannot change to 16 color bits while it runs: its "
                            "display would have to start again with them. Nothing was changed.";
    const Case cases[] = {
        {DisplayModes::Changed, false, "", ""},
        {DisplayModes::NeedsRestart, true, "message", restart},
        {DisplayModes::Failed, true, "message", "Error changing resolution! Returned: -1"},
        {DisplayModes::BadMode, true, "message", "Error changing resolution! Returned: -2"},
        {-5, true, "message", "Error changing resolution! Returned: -5"},
        {7, true, "message", "Error changing resolution! Returned: 7"},
    };
    modes.modes = {{1024, 768, 32}, {1280, 800, 32}, {1280, 800, 16}};
    modes.now = DisplayMode{1280, 800, 32};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        open();
        dialogs.shown.clear();
        dialogs.yesAnswer = c.yes;
        modes.result = c.result;
        modes.changes.clear();
        list()->setCurrentRow(2);
        dialog->findChild<QPushButton*>("butbResolutionsChange")->click();

        EXPECT_EQ(modes.changes, QList<int>{2});
        if (c.kind.isEmpty()) {
            EXPECT_TRUE(dialogs.shown.isEmpty());
        } else {
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.shown[0].kind, c.kind);
            EXPECT_EQ(dialogs.shown[0].text, c.text);
        }
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST_F(ResolutionsTest, LoadsOnceAndChangesNothingWithoutASelectionOrOnCancel)
{
    modes.modes = {{1024, 768, 32}};
    modes.now = DisplayMode{800, 600, 32};
    Resolutions& d = open();
    d.butbResolutionsChangeClick();
    EXPECT_TRUE(modes.changes.isEmpty());
    EXPECT_FALSE(d.isVisible());

    // Shown again, it keeps the list and highlight of its first opening.
    modes.modes.append({800, 600, 32});
    d.open();
    EXPECT_EQ(modes.listed, 1);
    EXPECT_EQ(entries(), QStringList{"1024x768x32"});
    list()->setCurrentRow(0);
    d.findChild<QPushButton*>("butResolutionsCancel")->click();
    EXPECT_TRUE(modes.changes.isEmpty());
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ResolutionsTest, EveryTextIsWholeAndInsideTheDialog)
{
    modes.modes = {{1024, 768, 32}};
    Resolutions& d = open();
    EXPECT_EQ(d.windowTitle(), "Change Color Display");
    EXPECT_FALSE(d.isModal());
    struct Case {
        const char* name;
        QString text;
        QString toolTip;
    };
    const Case controls[] = {
        {"LabelResolutions1",
         "The highlighted resolution is your current screen size and color setting. To use "
         "background color schemes, you must be running 16 or 32 bit color. If you are not, "
         "scroll down the list to find your current screen width and height and choose a higher "
         "color bit setting. Click on the Change button to save the new setting or on the Cancel "
         "button to keep your current setting.",
         ""},
        {"LabelResolutions4", "Screen Width x Screen Height x Color Bits", ""},
        {"LabelResolutions2", "Color Bit Legend", ""},
        {"LabelResolutions3",
         "4 bits = 16 colors            8 bits = 256 colors        16 bits = 16,000 colors   32 "
         "bits = 16 million colors",
         ""},
        {"List1", "", "These are your Available Screen Sizes and Color Resolutions."},
        {"butbResolutionsChange", "Change", "Save changes"},
        {"butResolutionsCancel", "Cancel", "Cancel changes"},
    };
    for (const Case& c : controls) {
        QWidget* control = d.findChild<QWidget*>(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->toolTip(), c.toolTip) << c.name;
        EXPECT_TRUE(d.rect().contains(control->geometry())) << c.name;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << c.name;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            EXPECT_EQ(label->text(), c.text) << c.name;
            const QSize needed = label->wordWrap()
                                     ? QSize(label->width(), label->heightForWidth(label->width()))
                                     : label->sizeHint();
            EXPECT_LE(needed.width(), label->width()) << c.name;
            EXPECT_LE(needed.height(), label->height()) << c.name;
        }
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            EXPECT_EQ(button->text(), c.text) << c.name;
        }
    }
}
