#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One running copy of a program per settings store: a second start asks the first to come to
// the front and ends. The first holds a lock on a file in the user's runtime folder, which the
// system lets go of when it ends in any way, a crash included, and listens on a local socket
// beside it.
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
    void listen(const QString& socketName);
    bool askRunningCopy(const QString& socketName);
    void answer();

    int lockFile_ = -1;
    bool handedOver_ = false;
    QLocalServer server_;
};
