#pragma once

#include "privatesessionbus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// at-spi2-core's accessibility bus and registry on a private session bus, as a desktop with a
// screen reader running has them, and a listener on it that asks for `events`
// ("object:state-changed:showing"). Ended with the object.
class AccessibilityBus {
public:
    explicit AccessibilityBus(const QStringList& events)
    {
        if (!session_.running()) {
            error_ = session_.error();
            return;
        }
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), session_.address());
        // The accessibility bus puts its socket here, not in the user's own folder.
        env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        launcher_.setProcessEnvironment(env_);
        launcher_.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                        {QStringLiteral("--launch-immediately"), QStringLiteral("--a11y=1")});
        if (!launcher_.waitForStarted()) {
            error_ = QStringLiteral("at-spi-bus-launcher did not start");
            return;
        }
        const QDBusConnection session = session_.connect(QStringLiteral("a11y-ask"));
        if (!QTest::qWaitFor([&] { return !(address_ = accessibilityAddress(session)).isEmpty(); },
                             15000)) {
            error_ = QStringLiteral("no accessibility bus");
            return;
        }
        registry_.setProcessEnvironment(env_);
        registry_.start(QStringLiteral("/usr/libexec/at-spi2-registryd"));
        listener_ = QDBusConnection::connectToBus(address_, QStringLiteral("a11y-listener"));
        const QString registry = QStringLiteral("org.a11y.atspi.Registry");
        if (!QTest::qWaitFor(
                [&] { return listener_.interface()->isServiceRegistered(registry).value(); },
                15000)) {
            error_ = QStringLiteral("no registry on %1 (%2): %3")
                         .arg(address_, listener_.lastError().message(),
                              QString::fromLocal8Bit(registry_.readAll()));
            return;
        }
        for (const QString& event : events) {
            QDBusMessage listen =
                QDBusMessage::createMethodCall(registry, QStringLiteral("/org/a11y/atspi/registry"),
                                               registry, QStringLiteral("RegisterEvent"));
            listen << event;
            const QDBusMessage reply = listener_.call(listen, QDBus::Block, 10000);
            if (reply.type() == QDBusMessage::ErrorMessage)
                error_ = reply.errorMessage();
        }
    }

    ~AccessibilityBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("a11y-listener"));
        for (QProcess* process : {&registry_, &launcher_}) {
            // The launcher ends the accessibility bus it started as it ends.
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    bool running() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    QString address() const { return address_; }
    // What a program needs to find this bus and to talk to it as to a screen reader.
    void addTo(QProcessEnvironment& env) const
    {
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), session_.address());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    }
    QDBusConnection& listener() { return listener_; }

    // A text property of the accessible at `path` of `sender`: its "Name", or its role's name.
    QString ask(const QString& sender, const QString& path, const QString& what)
    {
        const QString accessible = QStringLiteral("org.a11y.atspi.Accessible");
        QDBusMessage call;
        if (what == QLatin1String("RoleName")) {
            call = QDBusMessage::createMethodCall(sender, path, accessible,
                                                  QStringLiteral("GetRoleName"));
        } else {
            call = QDBusMessage::createMethodCall(sender, path,
                                                  QStringLiteral("org.freedesktop.DBus.Properties"),
                                                  QStringLiteral("Get"));
            call << accessible << what;
        }
        const QDBusMessage reply = listener_.call(call, QDBus::Block, 10000);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        const QVariant value = reply.arguments().first();
        return value.canConvert<QDBusVariant>() ? value.value<QDBusVariant>().variant().toString()
                                                : value.toString();
    }

private:
    static QString accessibilityAddress(const QDBusConnection& session)
    {
        const QDBusMessage reply =
            session.call(QDBusMessage::createMethodCall(
                             QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                             QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")),
                         QDBus::Block, 2000);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return reply.arguments().first().toString();
    }

    PrivateSessionBus session_;
    QTemporaryDir runtime_;
    QProcessEnvironment env_;
    QProcess launcher_;
    QProcess registry_;
    QString address_;
    QDBusConnection listener_{QString()};
    QString error_;
};
