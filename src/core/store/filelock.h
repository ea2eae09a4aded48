#pragma once

#include <QByteArray>
#include <QString>

// A whole-file advisory lock (flock) on a descriptor of its own, held until the object goes.
// Unlike the record locks the database engine takes, which belong to the process and vanish
// when any descriptor of the file is closed anywhere in it, this one can only be dropped by
// closing its own descriptor. Works on folders too.
class FileLock final
{
public:
    enum class Mode { Shared, Exclusive };
    enum class Result { Taken, HeldElsewhere, CannotOpen };

    FileLock() = default;
    ~FileLock();
    FileLock(FileLock &&other) noexcept;
    FileLock &operator=(FileLock &&other) noexcept;
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Tries for up to waitMs while another descriptor holds a conflicting lock. On CannotOpen
    // the errno of the failed open is in *error.
    Result take(const QString &path, Mode mode, int waitMs, int *error = nullptr);
    bool isHeld() const { return m_fd >= 0; }
    // The file's first bytes, read through the lock's own descriptor: opening the file again
    // and closing it would drop the record locks the engine holds on it in this process.
    // Empty where the lock is not held or the file is shorter.
    QByteArray readStart(int count) const;
    void release();

private:
    int m_fd = -1;
};
