#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");
const QByteArray kActivated = QByteArrayLiteral("activated\n");
// A first copy may still be starting when a second asks it; one that does not answer in this
// time is hung, and the second start ends rather than run beside it.
constexpr int kAnswerMs = 10000;

// The lock and the socket of copies that share `storeFile`: in the user's runtime folder, or
// under the temporary folder with the user's id in the name.
QString pathBase(const QString& name, const QString& storeFile)
{
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(QFileInfo(storeFile).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(12));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return QDir(runtime).filePath(name + u'-' + digest);
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("%1-%2-%3").arg(name).arg(getuid()).arg(digest));
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& storeFile)
{
    const QString base = pathBase(name, storeFile);
    const QString socketName = base + QStringLiteral(".socket");
    lockFile_ = ::open(QFile::encodeName(base + QStringLiteral(".lock")).constData(),
                       O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFile_ < 0) {
        // Nowhere to keep the lock: run, as the program did before it kept to one copy.
        qWarning("Cannot keep %s to one copy: %s", qPrintable(name), strerror(errno));
        return;
    }
    if (::flock(lockFile_, LOCK_EX | LOCK_NB) == 0) {
        listen(socketName);
        return;
    }
    ::close(lockFile_);
    lockFile_ = -1;
    handedOver_ = true;
    if (!askRunningCopy(socketName))
        qWarning("%s is running but does not answer.", qPrintable(name));
}

SingleInstance::~SingleInstance()
{
    if (lockFile_ >= 0) {
        server_.close();
        ::close(lockFile_);
    }
}

void SingleInstance::listen(const QString& socketName)
{
    // A socket left by a copy that crashed is in the way; the lock says that copy is gone.
    QLocalServer::removeServer(socketName);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(socketName)) {
        qWarning("Cannot listen for other starts: %s", qPrintable(server_.errorString()));
        return;
    }
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

bool SingleInstance::askRunningCopy(const QString& socketName)
{
    const QDeadlineTimer deadline(kAnswerMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketName);
        if (socket.waitForConnected(1000)) {
            socket.write(kActivate);
            if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
                return false;
            while (socket.bytesAvailable() < kActivated.size() &&
                   socket.waitForReadyRead(int(deadline.remainingTime()))) {
            }
            return socket.readAll() == kActivated;
        }
        // The first copy holds the lock but is not listening yet.
        QThread::msleep(50);
    }
    return false;
}

void SingleInstance::answer()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kActivate) {
                emit activationRequested();
                socket->write(kActivated);
            }
            socket->disconnectFromServer();
        });
    }
}
