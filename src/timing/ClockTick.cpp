#include "timing/ClockTick.h"

#include "timing/ModClock.h"
#include "timing/TimeText.h"

ClockTick::Result ClockTick::tick(const Moment &moment)
{
    Result r;
    r.caption = caption(moment.wall);
    r.refreshed = refreshIfNewMinute(moment);
    return r;
}

QString ClockTick::caption(const QDateTime &now)
{
    // From the local fields: going through the epoch would cost a time-zone lookup every tick.
    const qint64 second = now.date().toJulianDay() * 86400 + now.time().msecsSinceStartOfDay() / 1000;
    if (second != m_captionSecond) {
        m_captionSecond = second;
        m_caption = QStringLiteral("正在计时...") + TimeText::generalDateTime(now);
    }
    return m_caption;
}

namespace {
// A wake lands this far past the change it waits for, so that it never reads the old second.
constexpr int kWakeAfterChangeMs = 1;
} // namespace

int ClockTick::msecsToNextSecond(const QDateTime &now)
{
    return 1000 - now.time().msec() + kWakeAfterChangeMs;
}

int ClockTick::msecsToNextMinute(const QDateTime &now)
{
    const QTime t = now.time();
    return (60 - t.second()) * 1000 - t.msec() + kWakeAfterChangeMs;
}

bool ClockTick::refreshIfNewMinute(const Moment &moment)
{
    const QDateTime &now = moment.wall;
    // Only a new clock minute can differ from sLastMinute; format it only then.
    const QTime time = now.time();
    const int minuteOfDay = time.hour() * 60 + time.minute();
    if (minuteOfDay == m_minuteOfDay && now.date() == m_minuteDate) {
        // A session whose minute edges are not the wall clock's (it began before the clock was set,
        // or the two clocks drifted apart) gains its minute between two wall minutes: it shows it
        // then, not a minute late.
        if (!moment.elapsedMs || !m_nextRealMinuteMs || *moment.elapsedMs < *m_nextRealMinuteMs)
            return false;
        refresh(moment, QTime(time.hour(), time.minute()), true);
        return true;
    }
    m_minuteOfDay = minuteOfDay;
    m_minuteDate = now.date();
    const QString n = TimeText::hourMinute(time);
    if (n == sLastMinute)
        return false;
    sLastMinute = n;
    refresh(moment, QTime(time.hour(), time.minute()));
    return true;
}

void ClockTick::refresh(const Moment &now, const QTime &minute, bool again)
{
    m_nextRealMinuteMs = m_state.refreshRunning(now, minute, again);
}
