// Every program started with settings nobody can write, root included: the folder's place is
// taken by a plain file, or the settings file's by a FIFO (which would hold a reader for ever).
// Each opens its window, keeps running, and says so when the user saves something through its
// window.
#include "almanor.h"
#include "desktopprograms.h"
#include "fakedesktop.h"
#include "fullscreenvexlo.h"
#include "pellum.h"
#include "vexlo.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using desktopprograms::click;
using desktopprograms::DesktopProgram;
using desktopprograms::downPressesTo;
using desktopprograms::presses;
using desktopprograms::tool;
using desktopprograms::visibleWindows;
using desktopprograms::waitUntil;
using desktopprograms::windowTitle;
using desktopprograms::windowTitled;

namespace {

const QString kXdotool = QStringLiteral("xdotool");

// Opens a menu with a click at `at` and chooses the item `downs` Down presses into it; with
// `subDowns`, that item opens a submenu and the item so many presses into it is chosen.
void chooseFromMenu(const DesktopProgram& program, const QString& window, QPoint at, int downs,
                    int subDowns = -1)
{
    click(window, at);
    const qint64 pid = program.pid();
    if (!waitUntil([&] { return visibleWindows(pid).size() > 1; }))
        return;
    QStringList keys = QStringList{"key"} + presses("Down", downs);
    if (subDowns >= 0)
        keys += QStringList{"Right"} + presses("Down", subDowns);
    tool(kXdotool, keys + QStringList{"Return"});
}

// Answers the message box `title` of the program with Enter; false when none shows.
bool dismiss(const DesktopProgram& program, const QString& title)
{
    QString box;
    if (!waitUntil([&] { return !(box = windowTitled(program.pid(), title)).isEmpty(); }))
        return false;
    tool(kXdotool, {"windowactivate", "--sync", box});
    tool(kXdotool, {"key", "Return"});
    return waitUntil([&] { return windowTitled(program.pid(), title).isEmpty(); });
}

struct Blocker {
    const char* name;
    std::function<void(const QString& config)> make;
    std::function<bool(const QString& config)> intact;
};

bool isFifo(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

struct Program {
    const char* name;
    QString path;
    QString title;
    QString messageTitle; // of the box that reports a refused save
    // Also says so when its closing cannot store the window's place.
    bool reportsClose;
    // Makes a save through the window; its controls found from the windows built here.
    std::function<void(const DesktopProgram&, const QString& window, FakeDesktop&)> save;
};

} // namespace

TEST(ReadOnlySettingsFolder, EveryProgramRunsAndSaysItsSavesFail)
{
    const Program programs[] = {
        {"Vexlo", VEXLO_PROGRAM, "Vexlo 8.02", "Vexlo", false,
         [](const DesktopProgram& program, const QString& window, FakeDesktop& here) {
             Vexlo vexlo(here.platform(), here.shell());
             const auto* action = vexlo.findChild<QPushButton*>("ButVexloAction");
             const int downs = downPressesTo(*vexlo.findChild<QMenu*>("menufile"),
                                             vexlo.findChild<QAction*>("menuSave"));
             chooseFromMenu(program, window, action->mapTo(&vexlo, action->rect().center()), downs);
         }},
        {"DateVexlo", DATEVEXLO_PROGRAM, "Date Vexlo 8.0", "Date Vexlo", false,
         [](const DesktopProgram&, const QString& window, FakeDesktop& here) {
             Almanor almanor(here.platform());
             almanor.show();
             ASSERT_TRUE(QTest::qWaitForWindowExposed(&almanor));
             const auto* edit = almanor.findChild<QPushButton*>("Message1Edit");
             const QPoint at = edit->mapTo(&almanor, edit->rect().center());
             almanor.close();
             click(window, at);
             ASSERT_TRUE(waitUntil([&] { return windowTitle(window) == "Edit Message 1"; }));
             tool(kXdotool, {"type", "Dentist"});
             tool(kXdotool, {"key", "alt+s"});
         }},
        {"FullScreenVexlo", FULLSCREENVEXLO_PROGRAM, "Full Screen Vexlo 8.0", "Full Screen Vexlo",
         false,
         [](const DesktopProgram& program, const QString& window, FakeDesktop& here) {
             FullScreenVexlo fullScreen(here.platform(), QRect(0, 0, 1280, 800));
             const int downs = downPressesTo(*fullScreen.findChild<QMenu*>("menufile"),
                                             fullScreen.findChild<QAction*>("menuSave"));
             // A click anywhere on the screen opens its menu.
             chooseFromMenu(program, window, QPoint(20, 20), downs);
         }},
        {"Pellum", PELLUM_PROGRAM, "Pellum 8.01", "Pellum", true,
         [](const DesktopProgram& program, const QString& window, FakeDesktop& here) {
             Pellum pellum(here.platform(), here.shell());
             const auto* action = pellum.findChild<QPushButton*>("ButPellumAction");
             auto* modes = pellum.findChild<QMenu*>("menuMode");
             const int downs =
                 downPressesTo(*pellum.findChild<QMenu*>("menufile"), modes->menuAction());
             // The submenu opens with its first item chosen.
             const int subDowns = downPressesTo(*modes, pellum.findChild<QAction*>("menuMode2")) - 1;
             chooseFromMenu(program, window, action->mapTo(&pellum, action->rect().center()), downs,
                            subDowns);
         }},
    };

    const Blocker blockers[] = {
        {"a file where the settings folder would be",
         [](const QString& config) {
             QFile plain(config);
             ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
             ASSERT_GT(plain.write("A file where the settings folder would be.\n"), 0);
         },
         [](const QString& config) { return QFileInfo(config).isFile(); }},
        {"a FIFO as the settings file",
         [](const QString& config) {
             ASSERT_TRUE(QDir().mkpath(config));
             ASSERT_EQ(::mkfifo(QFile::encodeName(config + "/Orvane.conf").constData(), 0600), 0);
         },
         [](const QString& config) { return isFifo(config + "/Orvane.conf"); }},
    };
    for (const Blocker& blocker : blockers)
    for (const Program& program : programs) {
        SCOPED_TRACE(std::string(program.name) + ", " + blocker.name);
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        const QString config = home.filePath(QStringLiteral(".config"));
        blocker.make(config);

        DesktopProgram running(program.path, home.path(), config);
        ASSERT_TRUE(running.start());
        // The first start's report comes before the window shows.
        ASSERT_TRUE(dismiss(running, program.messageTitle)) << "the first start said nothing";
        const QString window = running.waitForWindow(program.title);
        ASSERT_FALSE(window.isEmpty()) << "no window: " << running.errors().toStdString();
        // A moment of ticking with nothing stored.
        QTest::qWait(500);
        ASSERT_TRUE(running.running()) << running.errors().toStdString();

        // Windows built here, on the same desktop and in the same look, tell where the
        // controls of the programs' windows are.
        FakeDesktop here;
        program.save(running, window, here);
        EXPECT_TRUE(dismiss(running, program.messageTitle)) << "the failed save was not reported";
        EXPECT_TRUE(running.running()) << running.errors().toStdString();
        EXPECT_TRUE(blocker.intact(config));

        // And it ends when its window is closed.
        tool(QStringLiteral("wmctrl"), {"-i", "-c", window});
        if (program.reportsClose) {
            EXPECT_TRUE(dismiss(running, program.messageTitle)) << "the close said nothing";
        }
        EXPECT_TRUE(running.process.waitForFinished(15000));
        EXPECT_EQ(running.process.exitStatus(), QProcess::NormalExit);
        EXPECT_FALSE(running.reportedAFault()) << running.errors().toStdString();
    }
}
