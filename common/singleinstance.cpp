#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

// A Unix stream socket and the address of `path`; false when the path does not fit an address.
bool openSocket(const QByteArray& path, int& fd, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(address.sun_path)) {
        errno = ENAMETOOLONG;
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return fd >= 0;
}

// Waits until `fd` can be read or written, at most until `deadline`.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    pollfd watched{fd, events, 0};
    int ready;
    do
        ready = ::poll(&watched, 1, int(deadline.remainingTime()));
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// Asks the copy listening on `path` to come to the front, and waits for its answer.
bool askRunningCopy(const QByteArray& path)
{
    const QDeadlineTimer deadline(kAnswerMs);
    while (!deadline.hasExpired()) {
        int fd = -1;
        sockaddr_un address;
        if (!openSocket(path, fd, address))
            return false;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            // The first copy holds the lock but is not listening yet.
            QThread::msleep(50);
            continue;
        }
        QByteArray answer;
        bool asked = ::send(fd, kActivate.constData(), size_t(kActivate.size()), MSG_NOSIGNAL) ==
                     kActivate.size();
        char buffer[32];
        while (asked && answer.size() < kActivated.size() && waitFor(fd, POLLIN, deadline)) {
            const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0)
                break;
            answer.append(buffer, got);
        }
        ::close(fd);
        return answer == kActivated;
    }
    return false;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& storeFile)
{
    const QString base = pathBase(name, storeFile);
    const QByteArray socketPath = QFile::encodeName(base + QStringLiteral(".socket"));
    lockFile_ = ::open(QFile::encodeName(base + QStringLiteral(".lock")).constData(),
                       O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFile_ < 0) {
        // Nowhere to keep the lock: run, as the program did before it kept to one copy.
        qWarning("Cannot keep %s to one copy: %s", qPrintable(name), strerror(errno));
        return;
    }
    if (::flock(lockFile_, LOCK_EX | LOCK_NB) == 0) {
        listen(socketPath);
        return;
    }
    ::close(lockFile_);
    lockFile_ = -1;
    handedOver_ = true;
    if (!askRunningCopy(socketPath))
        qWarning("%s is running but does not answer.", qPrintable(name));
}

SingleInstance::~SingleInstance()
{
    if (server_ >= 0) {
        ::close(server_);
        ::unlink(socketPath_.constData());
    }
    if (lockFile_ >= 0)
        ::close(lockFile_);
}

void SingleInstance::listen(const QByteArray& socketPath)
{
    sockaddr_un address;
    int fd = -1;
    bool listening = openSocket(socketPath, fd, address);
    if (listening) {
        // A socket left by a copy that crashed is in the way; the lock says that copy is gone.
        ::unlink(socketPath.constData());
        // Only this user may ask: the socket is made with no rights for anyone else.
        const mode_t previous = ::umask(0077);
        listening = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                    ::listen(fd, 8) == 0;
        ::umask(previous);
    }
    if (!listening) {
        qWarning("Cannot listen for other starts: %s", strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return;
    }
    server_ = fd;
    socketPath_ = socketPath;
    auto* notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SingleInstance::answer);
}

void SingleInstance::answer()
{
    const int client = ::accept4(server_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0)
        return;
    auto* notifier = new QSocketNotifier(qintptr(client), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this,
            [this, client, notifier] { readRequest(client, notifier); });
}

// The request is one short line; a client that sends anything else, or goes, is let go.
void SingleInstance::readRequest(int client, QSocketNotifier* notifier)
{
    char buffer[32];
    const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got > 0 && QByteArray(buffer, got) == kActivate) {
        emit activationRequested();
        ::send(client, kActivated.constData(), size_t(kActivated.size()), MSG_NOSIGNAL);
    }
    notifier->setEnabled(false);
    notifier->deleteLater();
    ::close(client);
}
