#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program from running for the same user: both
// would write the same data file. The lock lives in the user's runtime folder
// (or the temporary folder) and is released when this object goes, or by the
// system when the process dies.
class SingleInstance final
{
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process now holds the lock; false while another one holds it.
    bool acquire();
    bool isHeld() const { return m_lock.isLocked(); }

    static QString defaultLockPath();
    // What a second start is told before it ends.
    static QString refusal();

private:
    QLockFile m_lock;
};
