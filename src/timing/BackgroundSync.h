#pragma once
// Waits for the disk on a thread of its own, so that the thread that appended to a file need not.

#include <QMutex>
#include <QWaitCondition>

#include <memory>

class QFileDevice;
class QThread;

// The bytes are written on the caller's thread: once write() returns, the system holds them and a
// process killed then loses none. Only the wait until they are on the disk (fsync, on Windows
// FlushFileBuffers) happens here. One sync runs at a time; the requests made while it runs are
// served together by the next one, which covers every byte written before it begins.
class BackgroundSync {
public:
    BackgroundSync();
    // Waits for what was asked and ends the thread.
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync &) = delete;
    BackgroundSync &operator=(const BackgroundSync &) = delete;

    // Syncs file from now on, through a handle of its own: the caller may close the file whenever
    // it likes, and on Windows its writes never queue behind a flush of the same handle. False
    // when no such handle could be had: the caller then waits for the disk itself.
    bool attach(QFileDevice &file);
    // Waits for what was asked, then lets the file go. False when a sync failed since the last wait.
    bool detach();

    // Asks for everything written so far to reach the disk, and returns at once.
    void request();
    // Waits until everything asked for is on the disk. False when a sync failed since the last wait.
    bool wait();
    // A sync failed since the last wait: bytes written before it may not be on the disk.
    bool failed() const;

private:
    void run();

    mutable QMutex m_mutex;
    QWaitCondition m_asked; // a request, or the end
    QWaitCondition m_done; // a sync finished
    qintptr m_handle = -1; // the descriptor, or on Windows the HANDLE; -1 for none
    quint64 m_requests = 0;
    quint64 m_served = 0; // requests covered by a finished sync
    bool m_failed = false;
    bool m_ending = false;
    std::unique_ptr<QThread> m_thread;
};
