// Vexlo on a real X desktop with a real window manager.
#include "vexlofixture.h"

#include "desktopprograms.h"
#include "programprocess.h"
#include "twips.h"
#include "windowstacking.h"
#include "x11windowstate.h"

#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <set>

using desktopprograms::visibleWindows;
using x11windowstate::keptAbove;

namespace {

// Runs a desktop tool and gives what it printed.
QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

struct XWindow {
    QString id;
    qint64 pid = 0;
    QPoint place; // the client area, on the screen
};

// The visible windows titled `title`, with their process and place.
QList<XWindow> windowsTitled(const QString& title)
{
    QList<XWindow> found;
    const QStringList ids = run("xdotool", {"search", "--onlyvisible", "--name", '^' + title + '$'})
                                .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        XWindow w{id, run("xdotool", {"getwindowpid", id}).toLongLong(), {}};
        const QString info = run("xwininfo", {"-id", id});
        const auto x = QRegularExpression("Absolute upper-left X:\\s+(-?\\d+)").match(info);
        const auto y = QRegularExpression("Absolute upper-left Y:\\s+(-?\\d+)").match(info);
        w.place = QPoint(x.captured(1).toInt(), y.captured(1).toInt());
        found.append(w);
    }
    return found;
}

} // namespace

class VexloDesktopTest : public VexloTest {
protected:
    DesktopWindowStacking desktopStacking;
};

TEST_F(VexloDesktopTest, AlwaysOnTopKeepsTheWindowAboveWithoutMovingIt)
{
    for (const QString stored : {"1", "0"}) {
        SCOPED_TRACE(stored.toStdString());
        TempStore fresh;
        EXPECT_TRUE(fresh.store.saveAll({{timerkeys::kWindow.path, VEXLO_PROGRAM_DIR},
                                         {timerkeys::kWindow.background, "Wood5.gif"},
                                         {timerkeys::kWindow.foreColor1, "65535"},
                                         {timerkeys::kWindow.foreColor2, "16777215"},
                                         {timerkeys::kWindow.alwaysOnTop, stored},
                                         {timerkeys::kWindow.currentTitle, "Vexlo"},
                                         {timerkeys::kWindow.positionLeft, "3000"},
                                         {timerkeys::kWindow.positionTop, "1500"}}));
        Vexlo w(platform(fresh.store), ShellPlatform{desktopStacking, launcher, displayModes});
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.frameGeometry() != w.geometry(); }));
        // The window manager may take a while to settle the frame on a busy machine.
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.frameGeometry().topLeft() == QPoint(200, 100); }))
            << "placed at " << w.frameGeometry().topLeft().x() << ", "
            << w.frameGeometry().topLeft().y();
        const QRect placed = w.frameGeometry();
        const WId id = w.winId();
        const bool above = stored == "1";
        EXPECT_TRUE(QTest::qWaitFor([&] { return keptAbove(w) == above; }));

        QAction* onTop = w.findChild<QAction*>("menuAlwaysOnTop");
        for (int click = 1; click <= 2; ++click) {
            onTop->trigger();
            const bool nowAbove = click % 2 ? !above : above;
            EXPECT_TRUE(QTest::qWaitFor([&] { return keptAbove(w) == nowAbove; })) << click;
            EXPECT_EQ(fresh.store.get(timerkeys::kWindow.alwaysOnTop), nowAbove ? "1" : "0");
        }
        QTest::qWait(100);
        EXPECT_EQ(w.frameGeometry(), placed);
        EXPECT_EQ(w.winId(), id);
        EXPECT_TRUE(w.isVisible());
        w.close();
    }
}

TEST(VexloDesktopProgram, OpenANewTimerStartsAnotherVexloAtTheStoredPlace)
{
    ProgramProcess first(VEXLO_PROGRAM);
    QProcessEnvironment env = first.process.processEnvironment();
    env.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
    env.insert("QT_QPA_PLATFORM", "xcb");
    first.process.setProcessEnvironment(env);
    IniSettingsStore store = first.store();
    ASSERT_TRUE(store.saveAll({{timerkeys::kWindow.path, VEXLO_PROGRAM_DIR},
                               {timerkeys::kWindow.background, "Wood5.gif"},
                               {timerkeys::kWindow.foreColor1, "65535"},
                               {timerkeys::kWindow.foreColor2, "16777215"},
                               {timerkeys::kWindow.alwaysOnTop, "0"},
                               {timerkeys::kWindow.positionLeft, "3000"},
                               {timerkeys::kWindow.positionTop, "1500"}}));

    // Whatever happens below, no Vexlo outlives the test.
    std::set<qint64> started;
    const auto stopAll = qScopeGuard([&] {
        for (qint64 pid : started)
            ::kill(pid_t(pid), SIGKILL);
    });
    first.process.start();
    ASSERT_TRUE(first.process.waitForStarted());
    started.insert(first.process.processId());

    const QString title = "Vexlo 8.02";
    QList<XWindow> windows;
    ASSERT_TRUE(first.waitFor([&] { return (windows = windowsTitled(title)).size() == 1; }));
    const XWindow opener = windows.first();
    EXPECT_EQ(opener.pid, first.process.processId());

    // Action, then the first entry of the menu it opens.
    const QPoint action = twipsRect(2100, 830, 900, 500).center();
    run("xdotool", {"windowactivate", "--sync", opener.id});
    run("xdotool", {"mousemove", "--window", opener.id, QString::number(action.x()),
                    QString::number(action.y()), "click", "1"});
    // The menu is a window of its own beside the opener's.
    ASSERT_TRUE(first.waitFor([&] { return visibleWindows(opener.pid).size() > 1; }))
        << "the menu did not open";
    run("xdotool", {"key", "Down", "Return"});

    XWindow opened;
    const bool found = first.waitFor([&] {
        for (const XWindow& w : windowsTitled(title)) {
            if (w.pid != opener.pid) {
                started.insert(w.pid);
                opened = w;
                return true;
            }
        }
        return false;
    });
    ASSERT_TRUE(found) << first.process.readAllStandardError().toStdString();
    EXPECT_EQ(first.process.state(), QProcess::Running);
    // No timer had been opened before, so the opener stood 500 twips beside its stored place.
    EXPECT_EQ(store.get(timerkeys::kWindow.currentTitle), "Vexlo");
    EXPECT_EQ(store.get(timerkeys::kWindow.positionLeft), "3500");
    EXPECT_EQ(store.get(timerkeys::kWindow.positionTop), "2000");
    // The opener kept its default title: the new timer stands exactly where it does.
    EXPECT_TRUE(first.waitFor([&] {
        for (const XWindow& w : windowsTitled(title)) {
            if (w.pid == opened.pid)
                return w.place == opener.place;
        }
        return false;
    })) << opened.place.x()
        << "," << opened.place.y();
    EXPECT_GT(opened.pid, 0);
}
