#include "app/LockFileInstanceGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// For an operator who looks into the file: the number of the process that holds it.
QByteArray holderText()
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n';
}

QString lockName()
{
    // The temp folder is shared between users; the user's name keeps each user's copy apart.
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    user.remove(u'/').remove(u'\\');
    return QStringLiteral("vantorel-") + user + QStringLiteral(".lock");
}
} // namespace

LockFileInstanceGuard::LockFileInstanceGuard(QString lockPath, QString fallbackPath)
    : m_path(lockPath.isEmpty() ? defaultLockPath() : std::move(lockPath)),
      m_fallback(fallbackPath.isEmpty() ? tempLockPath() : std::move(fallbackPath))
{ }

LockFileInstanceGuard::~LockFileInstanceGuard()
{
    // Closing lets the lock go; the file stays, since removing it could remove the file another
    // copy has just opened to lock, and a third copy would then lock a new one beside it.
    if (m_handle == -1)
        return;
#ifdef Q_OS_WIN
    CloseHandle(reinterpret_cast<HANDLE>(m_handle));
#else
    ::close(int(m_handle));
#endif
}

QString LockFileInstanceGuard::defaultLockPath()
{
#ifdef Q_OS_WIN
    // Qt's runtime folder on Windows is the user's home, where the file would lie among the user's
    // own; the temp folder is the user's own there.
    return tempLockPath();
#else
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return (dir.isEmpty() ? QDir::tempPath() : dir) + u'/' + lockName();
#endif
}

QString LockFileInstanceGuard::tempLockPath()
{
    return QDir::tempPath() + u'/' + lockName();
}

bool LockFileInstanceGuard::anotherInstanceRunning()
{
    if (m_answer)
        return *m_answer;
    Outcome outcome = lock(m_path);
    if (outcome == Outcome::Unusable && m_fallback != m_path)
        outcome = lock(m_fallback);
    // Where no lock can be taken at all a second copy cannot be told apart: asking would be a guess.
    m_answer = outcome == Outcome::HeldByAnother;
    return *m_answer;
}

LockFileInstanceGuard::Outcome LockFileInstanceGuard::lock(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray text = holderText();
#ifdef Q_OS_WIN
    // Opened without letting others write: a second copy's open fails while this one lives.
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION ? Outcome::HeldByAnother : Outcome::Unusable;
    DWORD written = 0;
    SetEndOfFile(h);
    WriteFile(h, text.constData(), DWORD(text.size()), &written, nullptr);
    m_handle = reinterpret_cast<qintptr>(h);
#else
    // Links are not followed: in the shared temp folder one could point at any of the user's files.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Outcome::Unusable;
    // Only a plain file of this user's can be the lock: another user could hold a file there to
    // keep this user's copies from starting.
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        return Outcome::Unusable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Outcome::HeldByAnother : Outcome::Unusable;
    }
    // What the file says is only a courtesy to an operator who looks; the lock is what counts.
    [[maybe_unused]] const bool noted =
        ::ftruncate(fd, 0) == 0 && ::pwrite(fd, text.constData(), size_t(text.size()), 0) == ssize_t(text.size());
    m_handle = fd;
#endif
    return Outcome::Taken;
}
