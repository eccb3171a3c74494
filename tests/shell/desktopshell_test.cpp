#include "hostwindow.h"
#include "recordinglauncher.h"
#include "recordingstacking.h"
#include "scripteddisplaymodes.h"
#include "twips.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

class DesktopShellTest : public ::testing::Test {
protected:
    DesktopShell& shell()
    {
        if (!shell_)
            shell_ = new DesktopShell(host.t.store, host.dialogs,
                                      ShellPlatform{stacking, launcher, modes}, host.shellWindow());
        return *shell_;
    }

    HostWindow host;
    RecordingStacking stacking;
    RecordingLauncher launcher;
    ScriptedDisplayModes modes;

private:
    DesktopShell* shell_ = nullptr;
};

TEST_F(DesktopShellTest, AnotherProgramsWindowOpensAtItsOwnPlace)
{
    struct Case {
        QString left;
        QString top;
        QString title;
        QPoint place;
        QString backLeft, backTop; // what a close without moving stores again
    };
    const QPoint firstPlace =
        QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(13, 13);
    const Case cases[] = {
        {"1500", "750", "Pellum", {100, 50}, "1500", "750"},
        {"1500", "750", "Tea", {twips(2000), twips(1250)}, "2000", "1250"},
        {"1500", "750", "", {twips(2000), twips(1250)}, "2000", "1250"},
        // Not a whole number of pixels.
        {"700", "1700", "Pellum", {47, 113}, "700", "1700"},
        // Stored as a decimal.
        {"1507.5", "750.2", "Pellum", {101, 50}, "1508", "750"},
        {"-30000", "750", "Pellum", firstPlace, QString::number(firstPlace.x() * 15),
         QString::number(firstPlace.y() * 15)},
        {"1e9", "1e9", "Pellum", firstPlace, QString::number(firstPlace.x() * 15),
         QString::number(firstPlace.y() * 15)},
        {"nan", "x", "Pellum", {0, 0}, "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left.toStdString() + ", " + c.top.toStdString() + ", " +
                     c.title.toStdString());
        EXPECT_TRUE(host.t.store.saveAll({{"Pellum Position Left", c.left},
                                          {"Pellum Position Top", c.top},
                                          {"Pellum Current Title", c.title}}));
        shell().checkStayOnTop();
        EXPECT_EQ(host.window.pos(), c.place);
        EXPECT_EQ(shell().positionValues(),
                  (SettingsStore::Values{{"Pellum Position Left", c.backLeft},
                                         {"Pellum Position Top", c.backTop}}));
    }
    // Moved by the user, the window stores where it is.
    host.window.move(60, 30);
    EXPECT_EQ(shell().positionValues()[0].second, "900");
    EXPECT_EQ(host.t.store.get("Pellum Always On Top"), "1");
    EXPECT_EQ(host.t.store.get("Vexlo Always On Top", "<absent>"), "<absent>");
}

TEST_F(DesktopShellTest, AnotherProgramsNewTimerStoresUnderItsKeysAndShowsItsError)
{
    EXPECT_EQ(shell().menuNewTimer()->text(), "Open A New Timer");
    host.window.move(40, 20);
    shell().setCurrentTitle("Eggs");
    QStringList seen;
    launcher.onStart = [&] {
        for (const char* key :
             {"Pellum Position Left", "Pellum Position Top", "Pellum Current Title"})
            seen << host.t.store.get(key);
    };
    launcher.result = InstanceLauncher::Result::Failed;
    shell().menuNewTimer()->trigger();
    EXPECT_EQ(seen, (QStringList{"600", "300", "Eggs"}));
    ASSERT_EQ(host.dialogs.shown.size(), 1);
    EXPECT_EQ(host.dialogs.shown[0].title, "Pellum");
    EXPECT_EQ(host.dialogs.shown[0].text,
              "There was a problem. Error Handler 13. Notify Orvane about this error!");
}
