#include "desktopnotifier.h"

#include <QApplication>
#include <QDBusAbstractInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <QWidget>

namespace {

constexpr char kService[] = "org.freedesktop.Notifications";
constexpr char kPath[] = "/org/freedesktop/Notifications";
// The action a click on the notification itself invokes; we label it "Show".
constexpr char kDefaultAction[] = "default";
// Names from the freedesktop sound theme; the desktop plays it as it sees fit.
constexpr char kAlarmSound[] = "alarm-clock-elapsed";

} // namespace

// The service's signals as Qt signals, so that they are connected like any other.
class NotificationsService final : public QDBusAbstractInterface {
    Q_OBJECT
public:
    NotificationsService(const QDBusConnection& bus, QObject* parent)
        : QDBusAbstractInterface(QLatin1String(kService), QLatin1String(kPath), kService, bus,
                                 parent)
    {
    }

Q_SIGNALS:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);
};

DesktopNotifier::DesktopNotifier(Identity identity, QObject* parent, BusOpener bus)
    : QObject(parent), identity_(std::move(identity)), openBus_(std::move(bus))
{
}

NotificationsService* DesktopNotifier::service()
{
    if (triedBus_)
        return service_;
    triedBus_ = true;
    const QDBusConnection bus = openBus_();
    if (!bus.isConnected())
        return nullptr;
    service_ = new NotificationsService(bus, this);
    connect(service_, &NotificationsService::ActionInvoked, this, &DesktopNotifier::actionInvoked);
    connect(service_, &NotificationsService::NotificationClosed, this,
            [this](uint id) { open_.remove(id); });
    return service_;
}

void DesktopNotifier::tell(const QString& summary, const QString& body, Sound sound,
                           QWidget* window)
{
    NotificationsService* notifications = service();
    if (!notifications)
        return;

    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), identity_.desktopEntry);
    if (sound == Sound::Silent)
        hints.insert(QStringLiteral("suppress-sound"), true);
    else
        hints.insert(QStringLiteral("sound-name"), QLatin1String(kAlarmSound));

    // Servers that show markup read the body as markup; what the user typed is shown as typed.
    const QList<QVariant> arguments = {
        identity_.appName,
        uint(0),
        identity_.desktopEntry,
        summary,
        body.toHtmlEscaped(),
        QStringList{QLatin1String(kDefaultAction), tr("Show")},
        hints,
        // Kept until the user dismisses it: an alarm is for someone who was away.
        0,
    };
    const QDBusPendingCall call =
        notifications->asyncCallWithArgumentList(QStringLiteral("Notify"), arguments);
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    const QPointer<QWidget> shows(window);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, shows](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid() && shows)
                    open_.insert(reply.value(), shows);
                finished->deleteLater();
            });
}

void DesktopNotifier::actionInvoked(uint id, const QString& action)
{
    // The service may send its signals to every client on the bus; only our ids are ours.
    const QPointer<QWidget> window = open_.value(id);
    if (window && action == QLatin1String(kDefaultAction))
        bringToFront(window);
}

void DesktopNotifier::attention(QWidget* window)
{
    // Qt leaves the window the user is working in alone, and marks any other (minimised, or on
    // another workspace) as demanding attention until it is activated.
    if (window)
        QApplication::alert(window);
}

void DesktopNotifier::bringToFront(QWidget* window)
{
    // Out of the task bar, keeping a full-screen or maximised window as it was.
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

#include "desktopnotifier.moc"
