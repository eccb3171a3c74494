#include "vexlofixture.h"

#include "skins.h"

namespace {

const char* const kPanels[] = {"FrameVexlo1", "FrameVexlo2", "FrameOptions", "FrameAbout",
                               "FrameAboutFrame2"};
const char* const kColour1Labels[] = {"FrameLabel1", "FrameLabel2", "LabelAbout1", "LabelAbout2",
                                      "LabelAbout3"};
const char* const kColour2Labels[] = {"FrameLabel3",        "FrameLabel4",
                                      "FrameLabel6",        "FrameOptionsLabel0",
                                      "FrameOptionsLabel1", "FrameOptionsLabel2"};

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

} // namespace

class VexloSkinsTest : public VexloTest {
protected:
    QColor colour(const char* label) const
    {
        return child(label)->palette().color(QPalette::WindowText);
    }
    QImage picture(const char* panel) const
    {
        return child<SkinPanel>(panel)->picture().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QImage pictureFile(const QString& path)
    {
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

    // The checked items of the whole Background menu.
    QStringList checkedSkins() const
    {
        QStringList checked;
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->objectName().startsWith("menuBackground") && action->isChecked())
                checked << action->objectName();
        }
        return checked;
    }
};

TEST_F(VexloSkinsTest, ASkinIsStoredShownOnEveryPanelAndTheOnlyOneChecked)
{
    struct Case {
        const char* item;
        const char* caption;
        QString file;
        QString colour1;
        QString colour2;
        QColor shown1;
        QColor shown2;
    };
    const Case cases[] = {
        {"menuBackgroundWood4", "Ash", "Wood4.gif", "255", "16711680", kRed, QColor(0, 0, 255)},
        {"menuBackgroundMarble1", "Marble1", "Marble1.gif", "255", "0", kRed, kBlack},
        {"menuBackgroundMarble3", "Marble 3", "Marble3.gif", "255", "12583104", kRed,
         QColor(192, 0, 192)},
        {"menuBackgroundWood1", "Red Oak", "Wood1.gif", "65535", "16777088", QColor(255, 255, 0),
         QColor(128, 255, 255)},
        {"menuBackgroundWood0", "Corrugated", "Wood0.gif", "65535", "16777215", QColor(255, 255, 0),
         Qt::white},
        {"menuBackgroundGranite1", "Granite 1", "Granite1.gif", "65535", "65280",
         QColor(255, 255, 0), QColor(0, 255, 0)},
        {"menuBackgroundTravertino2", "Travertino 2", "Travert2.gif", "16777215", "65535",
         Qt::white, QColor(255, 255, 0)},
    };
    Vexlo& w = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        // Default, chosen before, gives way to the skin.
        item("menuBackgroundDefault")->trigger();
        QAction* skin = item(c.item);
        EXPECT_EQ(skin->text(), c.caption);
        skin->trigger();

        EXPECT_EQ(t.store.get(timerkeys::kWindow.background), c.file);
        EXPECT_EQ(t.store.get(timerkeys::kWindow.foreColor1), c.colour1);
        EXPECT_EQ(t.store.get(timerkeys::kWindow.foreColor2), c.colour2);
        EXPECT_EQ(t.store.get(timerkeys::kWindow.runDefaultColors), "False");
        EXPECT_EQ(w.skins().fields().LabelPicture1, c.file);
        EXPECT_EQ(w.skins().fields().LabelColor1, c.colour1);
        EXPECT_EQ(w.skins().fields().LabelColor2, c.colour2);
        EXPECT_EQ(checkedSkins(), QStringList{c.item});

        const QImage expected = pictureFile(VEXLO_PROGRAM_DIR + c.file);
        ASSERT_FALSE(expected.isNull());
        for (const char* panel : kPanels)
            EXPECT_TRUE(picture(panel) == expected) << panel;
        for (const char* label : kColour1Labels)
            EXPECT_EQ(colour(label), c.shown1) << label;
        for (const char* label : kColour2Labels)
            EXPECT_EQ(colour(label), c.shown2) << label;
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Choosing the checked skin again keeps it checked.
    item("menuBackgroundWood4")->trigger();
    item("menuBackgroundWood4")->trigger();
    EXPECT_EQ(checkedSkins(), QStringList{"menuBackgroundWood4"});
}

TEST_F(VexloSkinsTest, DefaultIsPlainRedAndBlackAndStaysChosenAfterARestart)
{
    open();
    item("menuBackgroundWood4")->trigger();
    item("menuBackgroundDefault")->trigger();

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "chosen" : "restarted");
        EXPECT_EQ(t.store.get(timerkeys::kWindow.runDefaultColors), "True");
        // The skin chosen last stays stored for the day Default is left.
        EXPECT_EQ(t.store.get(timerkeys::kWindow.background), "Wood4.gif");
        EXPECT_EQ(t.store.get(timerkeys::kWindow.foreColor1), "255");
        EXPECT_EQ(t.store.get(timerkeys::kWindow.foreColor2), "16711680");
        EXPECT_EQ(window->skins().fields().LabelPicture1, "Wood4.gif");
        EXPECT_EQ(checkedSkins(), QStringList{"menuBackgroundDefault"});
        for (const char* panel : kPanels)
            EXPECT_TRUE(child<SkinPanel>(panel)->picture().isNull()) << panel;
        // The title caption too, which a skin may have made white.
        for (const char* label : {"FrameLabel1", "FrameLabel2", "FrameLabel6", "FrameOptionsLabel0",
                                  "FrameOptionsLabel1", "FrameOptionsLabel2", "LabelAbout2"})
            EXPECT_EQ(colour(label), kRed) << label;
        for (const char* label : {"FrameLabel3", "FrameLabel4"})
            EXPECT_EQ(colour(label), kBlack) << label;
        open();
    }

    item("menuBackgroundWood3")->trigger();
    EXPECT_EQ(t.store.get(timerkeys::kWindow.runDefaultColors), "False");
    EXPECT_EQ(checkedSkins(), QStringList{"menuBackgroundWood3"});
    EXPECT_FALSE(child<SkinPanel>("FrameVexlo1")->picture().isNull());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(VexloSkinsTest, AStoredPictureInAnyLetterCaseChecksItsSkin)
{
    struct Case {
        QString stored;
        QStringList checked;
        bool error;
    };
    const Case cases[] = {
        {"wood3.gif", {"menuBackgroundWood3"}, false},
        {"WOOD0.GIF", {"menuBackgroundWood0"}, false},
        {"Travert4.gif", {"menuBackgroundTravertino4"}, false},
        {"Wood9.gif", {}, true},
        {"", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        TempStore fresh;
        EXPECT_TRUE(fresh.store.saveAll({{timerkeys::kWindow.path, VEXLO_PROGRAM_DIR},
                                         {timerkeys::kWindow.background, c.stored},
                                         {timerkeys::kWindow.foreColor1, "16777215"},
                                         {timerkeys::kWindow.foreColor2, "65535"}}));
        dialogs.shown.clear();
        open(fresh.store);
        EXPECT_EQ(checkedSkins(), c.checked);
        EXPECT_EQ(dialogs.shown.size(), c.error ? 1 : 0);
        // The file is found whatever the letter case it was stored in.
        EXPECT_EQ(child<SkinPanel>("FrameVexlo1")->picture().isNull(), c.error);
        window.reset(); // before its store goes
    }
}

TEST_F(VexloSkinsTest, AStoredColourThatIsNoNumberIsReportedWithThePictureShown)
{
    struct Case {
        QString colour1;
        QString colour2;
        bool first;
        bool second;
    };
    const Case cases[] = {
        {"yellow", "65280", false, false},   {"255", "65280    'green", true, false},
        {"16777216", "65280", false, false}, {"-255", "65280", false, false},
        {" 255 ", "65280", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour1.toStdString() + " / " + c.colour2.toStdString());
        TempStore fresh;
        EXPECT_TRUE(fresh.store.saveAll({{timerkeys::kWindow.path, VEXLO_PROGRAM_DIR},
                                         {timerkeys::kWindow.background, "Marble5.gif"},
                                         {timerkeys::kWindow.foreColor1, c.colour1},
                                         {timerkeys::kWindow.foreColor2, c.colour2}}));
        dialogs.shown.clear();
        open(fresh.store);
        EXPECT_EQ(dialogs.shown.size(), c.first && c.second ? 0 : 1);
        EXPECT_FALSE(child<SkinPanel>("FrameVexlo1")->picture().isNull());
        EXPECT_EQ(colour("FrameLabel1") == kRed, c.first);
        EXPECT_EQ(colour("FrameLabel3") == QColor(0, 255, 0), c.second);
        window.reset(); // before its store goes
    }
}
