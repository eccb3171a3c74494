// DateVexlo on a real X desktop with a real window manager.
#include "almanorfixture.h"

#include "accessibilitybus.h"
#include "desktopnotifier.h"
#include "desktopprograms.h"
#include "settingsstore.h"
#include "timetext.h"
#include "x11windowstate.h"

#include <QAbstractNativeEventFilter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <xcb/xcb.h>

using desktopprograms::waitUntil;
using x11windowstate::hasState;

// The task bar shows a minimised window that wants the user, as the window manager lists it.
TEST_F(AlmanorTest, AnEventFallingDueMakesTheMinimisedWindowDemandAttention)
{
    // The real attention, and no notifications: this desktop has no notification service.
    DesktopNotifier desktop(
        {QStringLiteral("DateVexlo"), QStringLiteral("org.orvane.datevexlo")}, nullptr, [] {
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

// A screen reader on the desktop hears of the alarm: the built program, with at-spi2-core's
// accessibility bus and registry, and a listener on that bus as a screen reader would listen.
TEST(DateVexloScreenReader, HearsTheAlarmThroughAtSpi)
{
    AccessibilityBus a11y({QStringLiteral("object:state-changed:showing")});
    ASSERT_TRUE(a11y.running()) << a11y.error().toStdString();
    QTemporaryDir home;
    const QString config = home.path() + QStringLiteral("/.config");
    desktopprograms::DesktopProgram program(QStringLiteral(DATEVEXLO_PROGRAM), home.path(), config);
    QProcessEnvironment env = program.process.processEnvironment();
    a11y.addTo(env);
    program.process.setProcessEnvironment(env);
    ASSERT_TRUE(program.start());
    ASSERT_FALSE(program.waitForWindow(QStringLiteral("Date Vexlo 8.0")).isEmpty())
        << program.errors().toStdString();

    // What the accessibility bus carries of things shown, from the moment dbus-monitor is on.
    QProcess monitor;
    monitor.start(QStringLiteral("dbus-monitor"),
                  {QStringLiteral("--address"), a11y.address(),
                   QStringLiteral("type='signal',interface='org.a11y.atspi.Event.Object',"
                                  "member='StateChanged',arg0='showing'"),
                   QStringLiteral("type='signal',member='NameLost'")});
    QString heard;
    ASSERT_TRUE(waitUntil([&] {
        heard += QString::fromLocal8Bit(monitor.readAllStandardOutput());
        return heard.contains(QLatin1String("member=NameLost"));
    })) << "dbus-monitor did not start";

    // An event three seconds ahead, saved as another window would: the program follows the
    // store at every tick, and rings once it falls due.
    const QDateTime due = QDateTime::currentDateTime().addSecs(3);
    IniSettingsStore store(config);
    using trackerkeys::SlotField;
    ASSERT_TRUE(store.saveAll(
        {{trackerkeys::slotKey(1, SlotField::Message), "Dentist"},
         {trackerkeys::slotKey(1, SlotField::Date), timetext::dateText(due.date())},
         {trackerkeys::slotKey(1, SlotField::Time), timetext::timeText(due.time())}}));

    // Each "showing" from the program, then what it was: a notification named as the alarm.
    static const QRegularExpression shown(QStringLiteral(
        "sender=(\\S+) .*path=(\\S+); interface=org\\.a11y\\.atspi\\.Event\\.Object; "
        "member=StateChanged\\s+string \"showing\"\\s+int32 1"));
    QSet<QString> asked;
    QString told;
    const bool found = waitUntil(
        [&] {
            heard += QString::fromLocal8Bit(monitor.readAllStandardOutput());
            for (auto match = shown.globalMatch(heard); match.hasNext();) {
                const auto m = match.next();
                const QString key = m.captured(1) + m.captured(2);
                if (asked.contains(key))
                    continue;
                asked.insert(key);
                if (a11y.ask(m.captured(1), m.captured(2), QStringLiteral("RoleName")) ==
                    QLatin1String("notification"))
                    told = a11y.ask(m.captured(1), m.captured(2), QStringLiteral("Name"));
            }
            return !told.isEmpty();
        },
        30000);
    monitor.kill();
    monitor.waitForFinished(5000);
    EXPECT_TRUE(found) << "heard: " << heard.left(3000).toStdString();
    EXPECT_EQ(told, "Time Is Up! Dentist");
}

namespace {

// The startup-notification messages the root window receives, as a desktop's launcher hears
// them: the pieces of each, joined.
class StartupMessages : public QAbstractNativeEventFilter {
public:
    StartupMessages() { qApp->installNativeEventFilter(this); }
    ~StartupMessages() override { qApp->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override
    {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (client->type == x11windowstate::atom("_NET_STARTUP_INFO_BEGIN"))
            heard.append(QByteArray());
        else if (client->type != x11windowstate::atom("_NET_STARTUP_INFO") || heard.isEmpty())
            return false;
        const auto* data = reinterpret_cast<const char*>(client->data.data8);
        heard.last().append(data, qsizetype(qstrnlen(data, 20)));
        return false;
    }

    QByteArrayList heard;
};

} // namespace

// One DateVexlo on one store: a second start brings the first back from the task bar, ends the
// launcher's feedback for itself, and ends; a first that crashed leaves nothing in the way.
TEST(DateVexloSingleCopy, ASecondStartRaisesTheFirstAndACrashLeavesNoLock)
{
    using desktopprograms::DesktopProgram;
    using desktopprograms::tool;
    QTemporaryDir home;
    const QString config = home.path() + QStringLiteral("/.config");
    const QString title = QStringLiteral("Date Vexlo 8.0");
    const auto windowsTitled = [&] {
        return tool(QStringLiteral("xdotool"),
                    {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--name"), u'^' + title + u'$'})
            .split(u'\n', Qt::SkipEmptyParts);
    };
    DesktopProgram first(QStringLiteral(DATEVEXLO_PROGRAM), home.path(), config);
    ASSERT_TRUE(first.start());
    const QString window = first.waitForWindow(title);
    ASSERT_FALSE(window.isEmpty()) << first.errors().toStdString();
    // Its icon comes once the window is drawn, up to the size of a task switcher's.
    EXPECT_TRUE(waitUntil([&] {
        return tool(QStringLiteral("xprop"), {QStringLiteral("-id"), window,
                                              QStringLiteral("_NET_WM_ICON")})
            .contains(QStringLiteral("Icon (64 x 64)"));
    }));
    tool(QStringLiteral("xdotool"),
         {QStringLiteral("windowminimize"), QStringLiteral("--sync"), window});
    // Under load the window manager may take longer than xdotool waits, busy with the new icon.
    ASSERT_TRUE(waitUntil([&] { return windowsTitled().isEmpty(); }));

    DesktopProgram second(QStringLiteral(DATEVEXLO_PROGRAM), home.path(), config);
    QProcessEnvironment env = second.process.processEnvironment();
    const QByteArray startupId = "launcher-4711 \"DateVexlo\"_TIME42";
    env.insert(QStringLiteral("DESKTOP_STARTUP_ID"), QString::fromLatin1(startupId));
    second.process.setProcessEnvironment(env);
    StartupMessages launcher;
    ASSERT_TRUE(second.start());
    ASSERT_TRUE(second.process.waitForFinished(30000)) << second.windowsShown().toStdString();
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0) << second.errors().toStdString();
    EXPECT_TRUE(waitUntil([&] {
        return tool(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}) == window;
    })) << "the first DateVexlo did not come to the front";
    EXPECT_EQ(windowsTitled(), QStringList{window});
    EXPECT_TRUE(waitUntil([&] { return !launcher.heard.isEmpty(); }));
    EXPECT_EQ(launcher.heard, QByteArrayList{R"(remove: ID="launcher-4711 \"DateVexlo\"_TIME42")"});

    ::kill(pid_t(first.pid()), SIGKILL);
    ASSERT_TRUE(first.process.waitForFinished(10000));
    DesktopProgram third(QStringLiteral(DATEVEXLO_PROGRAM), home.path(), config);
    ASSERT_TRUE(third.start());
    EXPECT_FALSE(third.waitForWindow(title).isEmpty()) << third.errors().toStdString();
    EXPECT_TRUE(third.running());
}
