#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// One running copy of a program per settings store: a second start asks the first to come to
// the front and ends. The first holds a lock on a file in the user's runtime folder, which the
// system lets go of when it ends in any way, a crash included, and listens on a local socket
// beside it. The socket is a plain Unix one: Qt's network module and the Kerberos and proxy
// libraries it brings would be loaded at every start for this one line of talk.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` is the program's desktop id; `storeFile` the settings file it keeps single.
    SingleInstance(const QString& name, const QString& storeFile);
    ~SingleInstance() override;

    // True when another copy runs and was asked to come to the front: this one should end.
    bool handedOver() const { return handedOver_; }

signals:
    // Another start asked this copy to come to the front.
    void activationRequested();

private:
    void listen(const QByteArray& socketPath);
    void answer();
    void readRequest(int client, QSocketNotifier* notifier);

    int lockFile_ = -1;
    int server_ = -1;
    QByteArray socketPath_;
    bool handedOver_ = false;
};
