#pragma once

#include "notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class NotificationsService;

// Notifications through the desktop's notification service (org.freedesktop.Notifications on
// the session bus), and QApplication::alert for the window. The bus is first reached at the
// first notification, not at start-up, and every call to the service is asynchronous: a desktop
// without the service, or without a session bus, loses the notifications and nothing else.
class DesktopNotifier final : public QObject, public Notifier {
    Q_OBJECT
public:
    // How the notifications name the program. `desktopEntry` is its menu entry without
    // ".desktop", which is also its icon's name: desktops keep a user's choices about a
    // program's notifications under it.
    struct Identity {
        QString appName;
        QString desktopEntry;
    };
    using BusOpener = std::function<QDBusConnection()>;

    explicit DesktopNotifier(Identity identity, QObject* parent = nullptr,
                             BusOpener bus = &QDBusConnection::sessionBus);

    void tell(const QString& summary, const QString& body, Sound sound, QWidget* window) override;
    void attention(QWidget* window) override;

    // What the "Show" action of a notification does to its window.
    static void bringToFront(QWidget* window);

private:
    NotificationsService* service();
    void actionInvoked(uint id, const QString& action);

    Identity identity_;
    BusOpener openBus_;
    bool triedBus_ = false;
    NotificationsService* service_ = nullptr; // a child; none without a session bus
    // Our notifications still on the desktop, and the window each one shows.
    QHash<uint, QPointer<QWidget>> open_;
};
