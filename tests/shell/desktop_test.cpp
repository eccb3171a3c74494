// The shell's seams against a real X server and window manager.
#include "displaymodes.h"
#include "qtprinters.h"
#include "windowstacking.h"
#include "x11windowstate.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using x11windowstate::keptAbove;

TEST(DesktopWindowStacking, KeepsAboveWithoutMovingOrRecreating)
{
    QWidget window;
    window.setWindowTitle("stacking");
    window.setGeometry(200, 150, 230, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Framed by the window manager, with the inside where the window asked for it; on a busy
    // machine that takes a while.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return window.frameGeometry() != window.geometry() &&
               window.geometry().topLeft() == QPoint(200, 150);
    })) << "placed at "
        << window.geometry().x() << ", " << window.geometry().y();
    const QRect placed = window.frameGeometry();
    const WId id = window.winId();
    ASSERT_FALSE(keptAbove(window));

    DesktopWindowStacking stacking;
    stacking.makeTopMost(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keptAbove(window); }));
    stacking.makeNormal(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !keptAbove(window); }));
    stacking.makeTopMost(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keptAbove(window); }));

    EXPECT_EQ(window.winId(), id);
    EXPECT_EQ(window.frameGeometry(), placed);
    EXPECT_TRUE(window.isVisible());
}

TEST(DesktopWindowStacking, AWindowNotYetShownStartsAbove)
{
    QWidget window;
    DesktopWindowStacking stacking;
    stacking.makeTopMost(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return keptAbove(window); }));
    stacking.makeNormal(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !keptAbove(window); }));
}

TEST(DesktopDisplayModes, ListsTheServersModesWithTheCurrentOne)
{
    DesktopDisplayModes modes;
    const QList<DisplayMode> list = modes.list();
    const auto current = modes.current();
    ASSERT_TRUE(current.has_value());
    EXPECT_EQ(*current, (DisplayMode{1280, 800, 32})) << current->text().toStdString();
    EXPECT_TRUE(list.contains(*current)) << list.size();
    // Only what can be switched to now: the depth the server runs at.
    for (const DisplayMode& mode : list) {
        EXPECT_EQ(mode.bits, current->bits);
        EXPECT_GT(mode.width, 0);
        EXPECT_GT(mode.height, 0);
        EXPECT_TRUE(mode.text().contains(QRegularExpression("^\\d+x\\d+x\\d+$")));
    }
    EXPECT_EQ(modes.change(-1), DisplayModes::BadMode);
    EXPECT_EQ(modes.change(int(list.size())), DisplayModes::BadMode);
}
