// The desktop notifier against a stand-in notification service on a private session bus: what
// reaches the service, and what its "Show" action does to the window.
#include "desktopnotifier.h"
#include "privatesessionbus.h"
#include "qtprinters.h"

#include <QDBusMessage>
#include <QTest>
#include <QVariantMap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// Records each Notify call, as a desktop's notification service would receive it.
class StandInNotifications final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString appName;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout;
        uint id;
    };
    QList<Call> calls;

public Q_SLOTS:
    uint Notify(const QString& appName, uint /*replacesId*/, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout)
    {
        const uint id = 40 + uint(calls.size());
        calls.append({appName, appIcon, summary, body, actions, hints, expireTimeout, id});
        return id;
    }
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
};

} // namespace

TEST(DesktopNotifier, ReachesTheServiceWhenThereIsOneAndShowBringsTheWindowUp)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.running()) << bus.error().toStdString();

    // No session bus at all: nothing happens, at once.
    DesktopNotifier unconnected(
        {QStringLiteral("DateVexlo"), QStringLiteral("org.orvane.datevexlo")}, nullptr, [] {
            return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                 QStringLiteral("nowhere"));
        });
    unconnected.tell(QStringLiteral("Lost"), QString(), Notifier::Sound::Alarm, nullptr);

    QWidget window;
    window.show();
    window.showMinimized();
    DesktopNotifier notifier({QStringLiteral("DateVexlo"), QStringLiteral("org.orvane.datevexlo")},
                             nullptr, [&bus] { return bus.connect(QStringLiteral("notifier")); });
    // Before the desktop's service runs: lost, and the notifier still works once it runs.
    notifier.tell(QStringLiteral("Too early"), QString(), Notifier::Sound::Alarm, &window);

    QDBusConnection desktop = bus.connect(QStringLiteral("desktop"));
    StandInNotifications service;
    ASSERT_TRUE(desktop.registerObject(kPath, &service, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService(kService));

    notifier.tell(QStringLiteral("Dentist <3pm> & co"), QStringLiteral("12/25/2026 03:00:00 PM"),
                  Notifier::Sound::Silent, &window);
    notifier.tell(QStringLiteral("Lunch"), QStringLiteral("a <b> & c"), Notifier::Sound::Alarm,
                  &window);
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls.size() == 2; }, 15000))
        << service.calls.size() << " calls";

    const struct {
        QString summary;
        QString body; // as markup
        QVariantMap soundHints;
    } expected[] = {
        {"Dentist <3pm> & co", "12/25/2026 03:00:00 PM", {{"suppress-sound", true}}},
        {"Lunch", "a &lt;b&gt; &amp; c", {{"sound-name", "alarm-clock-elapsed"}}},
    };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const StandInNotifications::Call& call = service.calls[i];
        EXPECT_EQ(call.appName, "DateVexlo");
        EXPECT_EQ(call.appIcon, "org.orvane.datevexlo");
        EXPECT_EQ(call.summary, expected[i].summary);
        EXPECT_EQ(call.body, expected[i].body);
        EXPECT_EQ(call.actions, (QStringList{"default", "Show"}));
        QVariantMap hints = expected[i].soundHints;
        hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.orvane.datevexlo"));
        EXPECT_EQ(call.hints, hints);
        EXPECT_EQ(call.expireTimeout, 0);
    }

    // The user picks "Show" on the first notification.
    ASSERT_TRUE(window.isMinimized());
    QDBusMessage invoked =
        QDBusMessage::createSignal(kPath, kService, QStringLiteral("ActionInvoked"));
    invoked << service.calls[0].id << QStringLiteral("default");
    ASSERT_TRUE(desktop.send(invoked));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !window.isMinimized() && window.isActiveWindow(); }, 15000));
}

#include "notifier_test.moc"
