#include "timing/BackgroundSync.h"

#include <QDir>
#include <QFileDevice>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

qintptr openHandle(QFileDevice &file)
{
#ifdef Q_OS_WIN
    // A second opening, not a duplicate of the caller's handle: the system serialises the calls on
    // one handle opened for plain (not overlapped) use, so a flush through it would hold up the
    // caller's next seek and write for as long as the disk takes. Flushing any handle of a file
    // puts all of its cached data on the disk.
    const HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(file.fileName()).utf16()),
                                 GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<qintptr>(h);
#else
    const int fd = file.handle() < 0 ? -1 : ::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0);
    return fd;
#endif
}

void closeHandle(qintptr handle)
{
#ifdef Q_OS_WIN
    CloseHandle(reinterpret_cast<HANDLE>(handle));
#else
    ::close(int(handle));
#endif
}

bool syncHandle(qintptr handle)
{
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(handle));
#else
    return ::fsync(int(handle)) == 0;
#endif
}

} // namespace

BackgroundSync::BackgroundSync() = default;

BackgroundSync::~BackgroundSync()
{
    detach();
    if (!m_thread)
        return;
    {
        const QMutexLocker lock(&m_mutex);
        m_ending = true;
        m_asked.wakeAll();
    }
    m_thread->wait();
}

bool BackgroundSync::attach(QFileDevice &file)
{
    detach();
    const qintptr handle = openHandle(file);
    if (handle == -1)
        return false;
    if (!m_thread) {
        m_thread.reset(QThread::create([this] { run(); }));
        m_thread->setObjectName(QStringLiteral("journal sync"));
        m_thread->start();
    }
    const QMutexLocker lock(&m_mutex);
    m_handle = handle;
    return true;
}

bool BackgroundSync::detach()
{
    const bool synced = wait();
    const QMutexLocker lock(&m_mutex);
    // Nothing is in flight now, and nothing more is asked until the next attach.
    if (m_handle != -1)
        closeHandle(m_handle);
    m_handle = -1;
    return synced;
}

void BackgroundSync::request()
{
    const QMutexLocker lock(&m_mutex);
    if (m_handle == -1)
        return;
    ++m_requests;
    m_asked.wakeOne();
}

bool BackgroundSync::wait()
{
    QMutexLocker lock(&m_mutex);
    while (m_served != m_requests)
        m_done.wait(&m_mutex);
    const bool synced = !m_failed;
    m_failed = false;
    return synced;
}

bool BackgroundSync::failed() const
{
    const QMutexLocker lock(&m_mutex);
    return m_failed;
}

void BackgroundSync::run()
{
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (!m_ending && m_served == m_requests)
            m_asked.wait(&m_mutex);
        if (m_served == m_requests)
            return;
        // Every request made so far was made after its bytes were written: one sync begun now
        // covers them all.
        const quint64 upTo = m_requests;
        const qintptr handle = m_handle;
        lock.unlock();
        const bool synced = syncHandle(handle);
        lock.relock();
        m_served = upTo;
        m_failed = m_failed || !synced;
        m_done.wakeAll();
    }
}
