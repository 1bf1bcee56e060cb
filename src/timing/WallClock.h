#pragma once
// The time of day, behind an interface so that tests can move time forward without waiting.

#include "timing/Moment.h"

#include <QDateTime>
#include <QString>

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds on a clock that nobody can set and that runs on through a suspend: only the
    // difference between two readings means anything.
    virtual qint64 elapsedMs() const = 0;
    // Both read together: what bills a session in progress.
    Moment moment() const { return Moment(now(), elapsedMs()); }
    // What tells this boot of the machine from any other: readings of the elapsed clock taken in
    // different boots mean nothing against each other. Empty when it cannot be told.
    virtual QString bootId() const = 0;
};

// The real clock: the system's local date and time. The clock, the status bar and the journal ask for
// it often, and each conversion to local time asks the time-zone database; the offset from UTC is
// therefore looked up once per UTC minute, which is also where daylight-saving changes fall.
class SystemWallClock : public WallClock {
public:
    QDateTime now() const override
    {
        const QDateTime utc = QDateTime::currentDateTimeUtc();
        const qint64 minute = utc.toSecsSinceEpoch() / 60;
        if (minute != m_minute) {
            m_minute = minute;
            m_offset = utc.toLocalTime().offsetFromUtc();
        }
        return utc.toOffsetFromUtc(m_offset);
    }
    qint64 elapsedMs() const override;
    QString bootId() const override;

private:
    mutable qint64 m_minute = -1;
    mutable int m_offset = 0;
};
