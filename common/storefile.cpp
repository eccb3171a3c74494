#include "storefile.h"

#include "regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace storefile {

namespace {

// The working copies are "<file>.<pid>-<n>.new"; programs of an earlier version also left the
// ".new.lock" of their writer beside them.
const QString kWorkingSuffix = QStringLiteral(".new");

Refusal refusalOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return Refusal::DiskFull;
    case EROFS:
    case EACCES:
    case EPERM:
        return Refusal::ReadOnly;
    default:
        return Refusal::Failed;
    }
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// Every byte, or the reason why not: write() may take less than it was given.
Refusal writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote > 0)
            done += wrote;
        else if (wrote < 0 && errno == EINTR)
            continue;
        else
            return wrote == 0 ? Refusal::DiskFull : refusalOf(errno);
    }
    return Refusal::None;
}

Refusal writeNewFile(const QString& path, const QByteArray& bytes)
{
    // O_EXCL: never write into something already there, a link planted in its name included.
    const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return refusalOf(errno);
    Refusal result = writeAll(fd, bytes);
    if (result == Refusal::None && ::fsync(fd) != 0)
        result = refusalOf(errno);
    if (::close(fd) != 0 && result == Refusal::None)
        result = refusalOf(errno);
    if (result == Refusal::None && readRegularFile(path, bytes.size()) != bytes)
        result = Refusal::Failed;
    return result;
}

// The rename is on the disk only once the folder is.
void syncFolder(const QString& folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool processIsGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

QString writeTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    // A link to a file not made yet: the save makes it there.
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

Refusal kindOf(const QString& path)
{
    struct stat info {};
    if (::stat(encoded(path).constData(), &info) != 0)
        return errno == ENOENT ? Refusal::None : refusalOf(errno);
    return S_ISREG(info.st_mode) ? Refusal::None : Refusal::NotAFile;
}

Refusal replace(const QString& target, const QByteArray& bytes,
                const std::function<bool()>& stillOurs)
{
    static std::atomic<quint64> serial{0};
    const QString working = target + QStringLiteral(".%1-%2")
                                         .arg(QCoreApplication::applicationPid())
                                         .arg(++serial) +
                            kWorkingSuffix;
    Refusal result = writeNewFile(working, bytes);
    if (result == Refusal::None && !stillOurs())
        result = Refusal::Busy;
    if (result == Refusal::None &&
        std::rename(encoded(working).constData(), encoded(target).constData()) != 0)
        result = refusalOf(errno);
    if (result != Refusal::None) {
        ::unlink(encoded(working).constData());
        return result;
    }
    syncFolder(QFileInfo(target).absolutePath());
    return Refusal::None;
}

void removeLeftovers(const QString& target)
{
    const QFileInfo info(target);
    static const QRegularExpression kLeftover(QStringLiteral(R"(\.(\d+)-\d+\.new(\.lock)?$)"));
    const QDir folder = info.absoluteDir();
    const QStringList names = folder.entryList({info.fileName() + QStringLiteral(".*.new*")},
                                               QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& name : names) {
        const QRegularExpressionMatch match =
            kLeftover.match(QStringView(name).sliced(info.fileName().size()));
        if (match.hasMatch() && processIsGone(match.captured(1).toLongLong()))
            QFile::remove(folder.filePath(name));
    }
}

} // namespace storefile
