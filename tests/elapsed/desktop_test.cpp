// Pellum as a user runs it, on a private X desktop with a real window manager: what it keeps at
// the end depends on the state the window manager gave its window.
#include "desktopprograms.h"
#include "pellumkeys.h"
#include "programprocess.h"
#include "qtprinters.h"
#include "x11windowstate.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// What xdotool printed, trimmed.
QString xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(10000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

// The request a task bar sends when the user closes a window there, minimised or not.
void closeFromTheTaskBar(const QString& window)
{
    using namespace x11windowstate;
    const xcb_client_message_event_t request = {
        XCB_CLIENT_MESSAGE,
        32,
        0,
        window.toUInt(),
        atom("_NET_CLOSE_WINDOW"),
        {.data32 = {XCB_CURRENT_TIME, 2 /* a pager or task bar */, 0, 0, 0}}};
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
    xcb_send_event(connection(), 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection());
}

} // namespace

class PellumDesktopTest : public ::testing::Test {
protected:
    PellumDesktopTest()
    {
        QProcessEnvironment env = program.process.processEnvironment();
        env.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
        env.insert("QT_QPA_PLATFORM", "xcb");
        program.process.setProcessEnvironment(env);
        // A later start, placed on the stored place itself.
        EXPECT_TRUE(store.saveAll({{pellumkeys::kWindow.path, VEXLO_PROGRAM_DIR},
                                   {pellumkeys::kWindow.background, "wood5.gif"},
                                   {pellumkeys::kWindow.foreColor1, "65535"},
                                   {pellumkeys::kWindow.foreColor2, "16777215"},
                                   {pellumkeys::kWindow.alwaysOnTop, "0"},
                                   {pellumkeys::kWindow.currentTitle, "Pellum"},
                                   {pellumkeys::kWindow.positionLeft, "3000"},
                                   {pellumkeys::kWindow.positionTop, "1500"}}));
    }

    // Starts Pellum and gives its window once it is on the screen.
    QString start()
    {
        program.process.start();
        QString window;
        const QString pid = QString::number(program.process.processId());
        program.waitFor([&] {
            window = xdotool({"search", "--onlyvisible", "--pid", pid, "--name", "^Pellum 8.01$"});
            return !window.isEmpty();
        });
        return window;
    }

    // Closes the window from the task bar and gives whether Pellum then ended of its own accord;
    // when it did not, says what it still shows.
    bool closedFromTheTaskBar(const QString& window)
    {
        closeFromTheTaskBar(window);
        if (program.process.waitForFinished(15000))
            return program.process.exitStatus() == QProcess::NormalExit;
        std::fprintf(stderr, "Pellum still runs after the close request; its visible windows: [%s]; "
                             "it said: %s\n",
                     qPrintable(desktopprograms::visibleWindows(program.process.processId())
                                    .join(QStringLiteral(", "))),
                     program.process.readAllStandardError().constData());
        return false;
    }

    ProgramProcess program{PELLUM_PROGRAM};
    IniSettingsStore store = program.store();
};

TEST_F(PellumDesktopTest, ClosedWhileMinimisedItKeepsThePlaceStoredBefore)
{
    const QString window = start();
    ASSERT_FALSE(window.isEmpty()) << program.process.readAllStandardError().toStdString();
    // Moved, then minimised: the place it was moved to is not kept.
    xdotool({"windowmove", "--sync", window, "400", "300"});
    xdotool({"windowactivate", "--sync", window});
    // Start has the focus from the beginning.
    xdotool({"key", "space"});
    xdotool({"windowminimize", "--sync", window});
    EXPECT_TRUE(program.waitFor([&] {
        return !xdotool({"search", "--name", "^Pellum - 0:00:[0-5][0-9]$"}).isEmpty();
    })) << "the minimised title shows the count";

    ASSERT_TRUE(closedFromTheTaskBar(window));
    EXPECT_EQ(store.get(pellumkeys::kWindow.positionLeft), "3000");
    EXPECT_EQ(store.get(pellumkeys::kWindow.positionTop), "1500");
}

TEST_F(PellumDesktopTest, ClosedInItsNormalStateItKeepsWhereTheUserMovedIt)
{
    const QString window = start();
    ASSERT_FALSE(window.isEmpty()) << program.process.readAllStandardError().toStdString();
    xdotool({"windowmove", "--sync", window, "400", "300"});
    ASSERT_TRUE(closedFromTheTaskBar(window));
    EXPECT_EQ(store.get(pellumkeys::kWindow.positionLeft), "6000");
    EXPECT_EQ(store.get(pellumkeys::kWindow.positionTop), "4500");
}
