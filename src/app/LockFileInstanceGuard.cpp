#include "LockFileInstanceGuard.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

LockFileInstanceGuard::LockFileInstanceGuard(QString lockPath)
    : m_path(lockPath.isEmpty() ? DefaultLockPath() : std::move(lockPath))
{
}

LockFileInstanceGuard::~LockFileInstanceGuard() = default;

QString LockFileInstanceGuard::DefaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    // The temp folder is shared between users; the user's name keeps each user's copy apart.
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    user.remove(u'/').remove(u'\\');
    return dir + QStringLiteral("/vantorel-") + user + QStringLiteral(".lock");
}

bool LockFileInstanceGuard::AnotherInstanceRunning()
{
    if (m_answer)
        return *m_answer;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a process that no longer exists is taken over by tryLock.
    m_lock->setStaleLockTime(0);
    m_answer = !m_lock->tryLock(0);
    return *m_answer;
}
