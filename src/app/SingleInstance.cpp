#include "app/SingleInstance.h"

#include <QDir>

#include <unistd.h>

SingleInstance::SingleInstance() : m_lock(LockPath())
{
    m_lock.setStaleLockTime(0); // a lock left by a crashed process is taken over
}

bool SingleInstance::IsFirst()
{
    return m_lock.tryLock(0);
}

QString SingleInstance::LockPath()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/tavoro-") + QString::number(getuid()) +
           QStringLiteral(".lock");
}
