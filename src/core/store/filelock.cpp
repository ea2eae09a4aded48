#include "filelock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::~FileLock()
{
    release();
}

FileLock::FileLock(FileLock &&other) noexcept
    : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

FileLock &FileLock::operator=(FileLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

void FileLock::release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

FileLock::Result FileLock::take(const QString &path, Mode mode, int waitMs, int *error)
{
    release();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = errno;
        return Result::CannotOpen;
    }
    const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd, operation) != 0) {
        // A file system without these locks has no one to coordinate with either.
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        if (waited.elapsed() >= waitMs) {
            ::close(fd);
            return Result::HeldElsewhere;
        }
        QThread::msleep(20);
    }
    m_fd = fd;
    return Result::Taken;
}

QByteArray FileLock::readStart(int count) const
{
    if (m_fd < 0)
        return {};
    QByteArray bytes(count, Qt::Uninitialized);
    const ssize_t read = ::pread(m_fd, bytes.data(), size_t(count), 0);
    return read == count ? bytes : QByteArray();
}
