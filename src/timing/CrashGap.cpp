#include "timing/CrashGap.h"

#include "timing/ChecksummedLine.h"

namespace {
// The wall clock and the elapsed clock are read a moment apart, and the elapsed clock starts a
// moment before the system sets the wall clock at boot.
constexpr qint64 kSlackMs = 5000;
constexpr qint64 kMostMs = qint64(ChecksummedLine::kMostMinutes) * 60000;
} // namespace

CrashGap::CrashGap(const ClockReading &last, const Moment &now, const QString &bootNow)
    : m_last(last), m_now(now), m_sameBoot(!last.boot.isEmpty() && last.boot == bootNow)
{
    if (!now.elapsedMs || !now.wall.isValid() || !last.wall.isValid())
        return;
    const qint64 dark = m_sameBoot ? *now.elapsedMs - last.elapsedMs : last.wall.msecsTo(now.wall);
    // In one boot the elapsed clock never goes back; after a reboot the stop came before the boot.
    const qint64 least = m_sameBoot ? 0 : *now.elapsedMs - kSlackMs;
    if (dark >= least && dark >= 0 && dark <= kMostMs)
        m_darkMs = dark;
}

Moment CrashGap::stopMoment() const
{
    if (!m_darkMs)
        return Moment(m_last.wall, m_now.elapsedMs);
    return Moment(m_now.wall.addMSecs(-*m_darkMs), *m_now.elapsedMs - *m_darkMs);
}

Moment CrashGap::anchorFor(const Moment &old) const
{
    const QDateTime reachedAtStop = m_last.moment().realSince(old);
    return Moment(reachedAtStop.addMSecs(m_darkMs.value_or(0)), m_now.elapsedMs);
}
