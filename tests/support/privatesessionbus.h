#pragma once

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A D-Bus session bus of the test's own (dbus-daemon from the dbus package), ended with the
// object. It starts no services of the machine's: what answers on it, the test put there.
class PrivateSessionBus {
public:
    PrivateSessionBus()
    {
        const QString config = folder_.filePath(QStringLiteral("session.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly)) {
            error_ = QStringLiteral("cannot write ") + config;
            return;
        }
        file.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                   "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                   "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        file.close();
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        // The address is its first line, printed once it listens.
        const QDeadlineTimer deadline(15000);
        while (!daemon_.canReadLine() && !deadline.hasExpired() &&
               daemon_.state() != QProcess::NotRunning)
            daemon_.waitForReadyRead(int(deadline.remainingTime()));
        address_ = QString::fromLocal8Bit(daemon_.readLine()).trimmed();
        if (address_.isEmpty())
            error_ = QStringLiteral("dbus-daemon gave no address: ") +
                     QString::fromLocal8Bit(daemon_.readAllStandardError());
    }

    ~PrivateSessionBus()
    {
        for (const QString& name : std::as_const(connections_))
            QDBusConnection::disconnectFromBus(name);
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }

    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool running() const { return !address_.isEmpty(); }
    QString error() const { return error_; }
    // "unix:path=/tmp/dbus-...,guid=..."
    QString address() const { return address_; }

    // A connection of this process to the bus, one per `name`.
    QDBusConnection connect(const QString& name)
    {
        connections_.append(name);
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    QString error_;
    QStringList connections_;
};
