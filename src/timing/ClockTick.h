#pragma once
// The clock's tick: the running caption every tick, and once per clock minute the minutes and fee
// of every item being timed.

#include "timing/Moment.h"

#include <QDateTime>
#include <QString>

#include <optional>

class ModClock;

class ClockTick {
public:
    explicit ClockTick(ModClock &state) : m_state(state) { }

    struct Result {
        QString caption; // "正在计时..." + date and time
        bool refreshed = false; // this tick was the first of a new minute
    };
    Result tick(const Moment &now);

    // The parts of a tick, for a clock that runs the minute part every second and shows the rest
    // only while timing is on. The caption for now's second.
    QString caption(const QDateTime &now);

    // The minute part of a tick alone: refreshes every item being timed at the first call of a new
    // clock minute and returns true then. Items started one by one while the clock is off are
    // refreshed through this, so their rows and bills never go stale.
    bool refreshIfNewMinute(const Moment &now);

    // How long from now until just after the next change of the second (1 to 1001 ms): nothing a
    // tick shows can change before then, so the clock sleeps until that moment instead of ticking
    // in between. Asked again after every wake, so an early or late wake only shortens the next.
    static int msecsToNextSecond(const QDateTime &now);
    // The same up to just after the next change of the minute, for watchers of the minute alone.
    static int msecsToNextMinute(const QDateTime &now);

    // "hh:mm" of the last minute the items were refreshed for; never reset.
    QString sLastMinute;

private:
    // again: within a minute already refreshed, for the sessions whose own minute has just turned.
    void refresh(const Moment &localNow, const QTime &minute, bool again = false);

    ModClock &m_state;
    // A tick may come early or twice in a second and then finds nothing new: the caption changes
    // once a second, the minute once a minute.
    qint64 m_captionSecond = -1;
    QString m_caption;
    int m_minuteOfDay = -1;
    QDate m_minuteDate;
    std::optional<qint64> m_nextRealMinuteMs; // the elapsed reading at which a session's next minute turns
};
