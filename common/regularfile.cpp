#include "regularfile.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool isRegularFile(const QString& path)
{
    struct stat info {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    // An empty path fails to open. O_NONBLOCK: a FIFO with no writer would otherwise hold the open
    // itself.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> content;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxBytes) {
        QByteArray bytes;
        bytes.resize(qsizetype(info.st_size));
        qsizetype done = 0;
        bool failed = false;
        // The file may grow or shrink while it is read: take what is there, up to the cap.
        while (!failed) {
            if (done == bytes.size()) {
                if (bytes.size() > maxBytes)
                    break;
                bytes.resize(qMin<qint64>(maxBytes + 1, bytes.size() + 4096));
            }
            const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (got > 0)
                done += got;
            else if (got == 0)
                break;
            else if (errno != EINTR)
                failed = true;
        }
        bytes.truncate(done);
        if (!failed && done <= maxBytes)
            content = std::move(bytes);
    }
    ::close(fd);
    return content;
}
