#pragma once
// How long a program that stopped unexpectedly was down, from the last clock reading its journal
// holds and the clocks now, and where its sessions count real time from once restored.

#include "timing/Moment.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Both clocks read together by a run, and the boot they belong to: readings of the elapsed clock
// mean something against each other only within one boot.
struct ClockReading {
    QDateTime wall;
    qint64 elapsedMs = 0;
    QString boot;

    Moment moment() const { return Moment(wall, elapsedMs); }
};

// Within one boot the elapsed clock tells the time that passed exactly, whatever the wall clock did
// before or after the stop. After a reboot it restarted, and all it can tell is that the machine has
// been up for its reading now: the stop came before that. The wall clock's gap since the last reading
// is then all there is; it is taken when it is at least the machine's time up, and not beyond any
// bill. A shorter or negative gap means the wall clock was wrong at one end or the other, and the
// stretch cannot be known. Nothing tells a wall clock that was wrong by the same amount at both ends,
// or one set forward after the stop: that is the limit of what can be known after a power cut.
class CrashGap {
public:
    CrashGap(const ClockReading &last, const Moment &now, const QString &bootNow);

    bool sameBoot() const { return m_sameBoot; }
    // How long the program was down, in milliseconds; nothing when it cannot be known.
    std::optional<qint64> darkMs() const { return m_darkMs; }
    // Where sessions are to end when they end where the program stopped: its wall instant is the
    // stop as the wall clock now sees it (as the last reading saw it, when the gap is unknown), and
    // its elapsed reading is in the frame anchorFor() gives.
    Moment stopMoment() const;
    // Where a session of the stopped run anchored at old (a reading of the last reading's boot, or a
    // plain instant) counts real time from once restored: the time it ran up to the stop, then the
    // dark stretch when it is known, then what the elapsed clock counts from now.
    Moment anchorFor(const Moment &old) const;

private:
    ClockReading m_last;
    Moment m_now;
    bool m_sameBoot = false;
    std::optional<qint64> m_darkMs;
};
