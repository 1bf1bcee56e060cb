#include "timing/WallClock.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
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
