// DateVexlo on a real X desktop with a real window manager.
#include "almanorfixture.h"

#include "desktopnotifier.h"
#include "desktopprograms.h"
#include "x11windowstate.h"

#include <QTest>

using desktopprograms::waitUntil;
using x11windowstate::hasState;

// The task bar shows a minimised window that wants the user, as the window manager lists it.
TEST_F(AlmanorTest, AnEventFallingDueMakesTheMinimisedWindowDemandAttention)
{
    // The real attention, and no notifications: this desktop has no notification service.
    DesktopNotifier desktop(
        {QStringLiteral("DateVexlo"), QStringLiteral("org.orvane.DateVexlo")}, nullptr, [] {
            return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                 QStringLiteral("nowhere"));
        });
    storeEvent(1, "Dentist", "12/25/2026", "12:00:02 PM");
    window = std::make_unique<Almanor>(
        Platform{store, clock, sound, dialogs, help, desktop, VEXLO_PROGRAM_DIR});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->Timer1Tick();
    window->showMinimized();
    ASSERT_TRUE(waitUntil([&] { return hasState(*window, "_NET_WM_STATE_HIDDEN"); }));
    EXPECT_FALSE(hasState(*window, "_NET_WM_STATE_DEMANDS_ATTENTION"));

    // The user works in another window meanwhile.
    QWidget other;
    other.setWindowTitle(QStringLiteral("Another program"));
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return other.isActiveWindow(); }));

    tickEverySecond(2);
    EXPECT_EQ(label("LabelRemaining1"), "Time Is Up!");
    EXPECT_TRUE(waitUntil([&] { return hasState(*window, "_NET_WM_STATE_DEMANDS_ATTENTION"); }));
    EXPECT_TRUE(window->isMinimized()) << "the alarm does not take the screen";
}
