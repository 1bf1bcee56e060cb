#include "timing/WallClock.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>

#include <ctime>
#endif

qint64 SystemWallClock::elapsedMs() const
{
#ifdef Q_OS_WIN
    // Counts the time the machine slept, as the boot-time clock does on Linux.
    return qint64(GetTickCount64());
#else
#ifdef CLOCK_BOOTTIME
    constexpr clockid_t kClock = CLOCK_BOOTTIME; // counts a suspend too: the customer's time ran on
#else
    constexpr clockid_t kClock = CLOCK_MONOTONIC;
#endif
    timespec ts {};
    if (clock_gettime(kClock, &ts) != 0)
        clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
#endif
}

QString SystemWallClock::bootId() const
{
    // Read once: it cannot change while the process runs.
    static const QString id = [] {
#ifdef Q_OS_WIN
        // Windows keeps no such number outside its registry; the instant it booted, as the wall
        // clock and the tick count tell it, stands in, to the half minute so that two readings a
        // few milliseconds apart agree. A wall clock set between two runs in one boot makes it
        // look like another boot: the restore then trusts neither clock for the dark stretch and
        // ends the sessions where the program stopped, which bills no minute too many.
        const qint64 bootMs = QDateTime::currentMSecsSinceEpoch() - qint64(GetTickCount64());
        return QStringLiteral("w") + QString::number((bootMs + 15000) / 30000);
#else
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().trimmed()) : QString();
#endif
    }();
    return id;
}
