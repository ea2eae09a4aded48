#include "singleinstance.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

SingleInstance::SingleInstance(const QString &lockPath)
    : m_lock(lockPath)
{
    // A lock of a running program never goes stale, however long it runs; one left by a
    // process that has died is recognised by its process id and taken over.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(u"qrta.lock"_s);
    // The temporary folder is shared by every user: one user's program must not lock out
    // another's.
    return QDir(QDir::tempPath()).filePath(u"qrta-%1.lock"_s.arg(qEnvironmentVariable("USER")));
}

QString SingleInstance::refusal()
{
    return u"你已经运行了一个【晨曦算苑】！"_s;
}
