#include "hostwindow.h"
#include "twips.h"

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QMenu>

#include <gtest/gtest.h>

// Every skin of the menu, in its order, with the label colours chosen to read well on it;
// each picture loads and covers a timer panel.
TEST(Skins, EveryRowHasItsPictureAndColours)
{
    const struct {
        const char* item;
        const char* caption;
        const char* file;
        int foreColor1;
        int foreColor2;
    } rows[] = {
        {"menuBackgroundGranite1", "Granite 1", "Granite1.gif", 65535, 65280},
        {"menuBackgroundGranite2", "Granite 2", "Granite2.gif", 16777215, 65535},
        {"menuBackgroundGranite3", "Granite 3", "Granite3.gif", 0, 255},
        {"menuBackgroundMarble1", "Marble1", "Marble1.gif", 255, 0},
        {"menuBackgroundMarble2", "Marble 2", "Marble2.gif", 65535, 16777215},
        {"menuBackgroundMarble3", "Marble 3", "Marble3.gif", 255, 12583104},
        {"menuBackgroundMarble4", "Marble 4", "Marble4.gif", 255, 65535},
        {"menuBackgroundMarble5", "Marble 5", "Marble5.gif", 16777215, 65280},
        {"menuBackgroundTravertino1", "Travertino 1", "Travert1.gif", 255, 12583104},
        {"menuBackgroundTravertino2", "Travertino 2", "Travert2.gif", 16777215, 65535},
        {"menuBackgroundTravertino3", "Travertino 3", "Travert3.gif", 255, 12583104},
        {"menuBackgroundTravertino4", "Travertino 4", "Travert4.gif", 255, 12583104},
        {"menuBackgroundTravertino5", "Travertino 5", "Travert5.gif", 16777215, 65535},
        {"menuBackgroundWood0", "Corrugated", "Wood0.gif", 65535, 16777215},
        {"menuBackgroundWood1", "Red Oak", "Wood1.gif", 65535, 16777088},
        {"menuBackgroundWood2", "Maple", "Wood2.gif", 255, 12583104},
        {"menuBackgroundWood3", "Walnut", "Wood3.gif", 16777215, 65535},
        {"menuBackgroundWood4", "Ash", "Wood4.gif", 255, 16711680},
        {"menuBackgroundWood5", "Indian Laurel", "Wood5.gif", 65535, 16777215},
    };
    static_assert(std::size(rows) == kSkinCount);
    // The largest panel that carries a skin: a timer window's client area.
    const QSize panel = twipsSize(3430 - 120, 3000 - 450);
    for (size_t i = 0; i < std::size(rows); ++i) {
        const SkinItem& skin = skinTable()[i];
        SCOPED_TRACE(rows[i].item);
        EXPECT_STREQ(skin.item, rows[i].item);
        EXPECT_STREQ(skin.caption, rows[i].caption);
        EXPECT_STREQ(skin.file, rows[i].file);
        EXPECT_EQ(skin.foreColor1, rows[i].foreColor1);
        EXPECT_EQ(skin.foreColor2, rows[i].foreColor2);

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
    skins.setFields({VEXLO_PROGRAM_DIR, "wood5.gif", "65535", "16777215"});
    EXPECT_TRUE(host.t.store.save("Pellum Run Default Colors", "False"));
    skins.showStored();
    EXPECT_TRUE(skins.skinItem(kCorrugatedRow + 5)->isChecked());
    EXPECT_FALSE(host.timerPanel->picture().isNull());
    EXPECT_TRUE(host.dialogs.shown.isEmpty());
}

TEST(Skins, AnotherProgramsErrorTextReportsAMissingPicture)
{
    HostWindow host("/nowhere/");
    host.window.show();
    host.skins().skinItem(0)->trigger();
    ASSERT_EQ(host.dialogs.shown.size(), 1);
    EXPECT_EQ(host.dialogs.shown[0].title, "Pellum");
    EXPECT_EQ(host.dialogs.shown[0].text,
              "There was a problem running the program's path. Pellum Error # 10. Notify Orvane "
              "to correct this error!");
    EXPECT_EQ(host.t.store.get("Pellum Background"), "Granite1.gif");
    EXPECT_EQ(host.t.store.get("Pellum Path", "<absent>"), "<absent>");
}

// Panels and labels built after the start look as they would had they been there all along,
// whatever the user chose before: a later choice overrides an earlier one only where it reaches.
TEST(Skins, PartsBuiltLaterTakeTheLookAsItStands)
{
    enum Choice { Granite1, Wood5, Default, MissingGranite3 };
    const struct {
        const char* name;
        std::vector<Choice> choices;
    } cases[] = {
        {"nothing chosen", {}},
        {"a skin", {Granite1}},
        {"the Default look", {Default}},
        {"a skin, then Default", {Granite1, Default}},
        {"Default, then a skin", {Default, Wood5}},
        {"two skins", {Granite1, Wood5}},
        {"a skin, Default, then a skin without its picture",
         {Granite1, Default, MissingGranite3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HostWindow host;
        Skins& skins = host.skins();
        for (Choice choice : c.choices) {
            if (choice == Default) {
                skins.defaultItem()->trigger();
                continue;
            }
            if (choice == MissingGranite3)
                skins.setFields({"/nowhere/", "", "", ""});
            skins.skinItem(choice == Wood5 ? kCorrugatedRow + 5 : choice == Granite1 ? 0 : 2)
                ->trigger();
        }
        // A second options panel and About text, and a plain panel, as the first ones are.
        SkinPanel laterPlain(&host.window);
        SkinPanel laterOptions(&host.window);
        QLabel laterText;
        QLabel laterCaption;
        SkinLook later;
        later.panels = {&laterPlain, &laterOptions};
        later.plainUnderDefault = {&laterPlain};
        later.colour1 = {&laterText};
        later.colour2 = {&laterCaption};
        later.defaultColours = {{&laterText, QColor(255, 0, 0)}};
        skins.extend(later);

        EXPECT_EQ(laterPlain.picture().cacheKey(), host.timerPanel->picture().cacheKey());
        EXPECT_EQ(laterOptions.picture().cacheKey(), host.optionsPanel->picture().cacheKey());
        for (const auto& [built, first] : {std::pair{&laterText, host.aboutText},
                                           std::pair{&laterCaption, host.titleCaption}})
            EXPECT_EQ(built->palette().color(QPalette::WindowText),
                      first->palette().color(QPalette::WindowText))
                << first->text().toStdString();
    }
}
