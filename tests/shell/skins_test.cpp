#include "hostwindow.h"
#include "twips.h"

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QMenu>

#include <gtest/gtest.h>

TEST(SkinPictures, EveryOneLoadsAndCoversATimerPanel)
{
    // The largest panel that carries a skin: a timer window's client area.
    const QSize panel = twipsSize(3430 - 120, 3000 - 450);
    for (const SkinItem& skin : skinTable()) {
        QImageReader reader(VEXLO_PROGRAM_DIR + QString(skin.file));
        const QImage picture = reader.read();
        ASSERT_FALSE(picture.isNull()) << skin.file << ": " << reader.errorString().toStdString();
        EXPECT_EQ(QImageReader::imageFormat(reader.fileName()), "gif") << skin.file;
        EXPECT_GE(picture.width(), panel.width()) << skin.file;
        EXPECT_GE(picture.height(), panel.height()) << skin.file;
    }
}

TEST(Skins, AnotherProgramKeepsToItsOwnKeysPanelsAndTexts)
{
    HostWindow host;
    Skins& skins = host.skins();
    QMenu menu;
    QMenu* background = skins.addBackgroundMenu(menu);
    EXPECT_EQ(background->title(), "Background");

    // Its Corrugated is stored in lower case, and found.
    skins.skinItem(kCorrugatedRow)->trigger();
    EXPECT_EQ(skins.skinItem(kCorrugatedRow)->text(), "Corrugated");
    EXPECT_EQ(host.t.store.get("Pellum Background"), "wood0.gif");
    EXPECT_EQ(host.t.store.get("Pellum ForeColor 1"), "65535");
    EXPECT_EQ(host.t.store.get("Pellum ForeColor 2"), "16777215");
    EXPECT_EQ(host.t.store.get("Pellum Run Default Colors"), "False");
    EXPECT_EQ(host.t.store.get("Vexlo Background", "<absent>"), "<absent>");
    EXPECT_TRUE(host.dialogs.shown.isEmpty());
    for (SkinPanel* panel : {host.timerPanel, host.optionsPanel, host.aboutPanel, host.aboutInner})
        EXPECT_FALSE(panel->picture().isNull()) << panel->objectName().toStdString();
    EXPECT_EQ(host.aboutText->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(host.titleCaption->palette().color(QPalette::WindowText), QColor(Qt::white));
    const QColor hintColour = host.hint->palette().color(QPalette::WindowText);

    // Its Default leaves the options panel its picture and the title caption its colour.
    skins.defaultItem()->trigger();
    EXPECT_EQ(host.t.store.get("Pellum Run Default Colors"), "True");
    for (SkinPanel* panel : {host.timerPanel, host.aboutPanel, host.aboutInner})
        EXPECT_TRUE(panel->picture().isNull());
    EXPECT_FALSE(host.optionsPanel->picture().isNull());
    EXPECT_EQ(host.aboutText->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(host.titleCaption->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(host.hint->palette().color(QPalette::WindowText), hintColour);

    // Its first-start default is in lower case too.
    host.LabelPicture1 = "wood5.gif";
    skins.CheckMarkedBackground();
    EXPECT_TRUE(skins.skinItem(kCorrugatedRow + 5)->isChecked());
    host.t.store.save("Pellum Run Default Colors", "False");
    skins.CheckBackground();
    EXPECT_FALSE(host.timerPanel->picture().isNull());
    EXPECT_TRUE(host.dialogs.shown.isEmpty());
}

TEST(Skins, AnotherProgramsErrorTextReportsAMissingPicture)
{
    HostWindow host("/nowhere/");
    host.skins().skinItem(0)->trigger();
    ASSERT_EQ(host.dialogs.shown.size(), 1);
    EXPECT_EQ(host.dialogs.shown[0].title, "Pellum");
    EXPECT_EQ(host.dialogs.shown[0].text,
              "There was a problem running the program's path. Pellum Error # 10. Notify Orvane "
              "to correct this error!");
    EXPECT_EQ(host.t.store.get("Pellum Background"), "Granite1.gif");
    EXPECT_EQ(host.t.store.get("Pellum Path", "<absent>"), "<absent>");
}
