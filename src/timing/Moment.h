#pragma once
// An instant as the wall clock shows it, with what a clock nobody can set read at the same time.

#include "timing/ElapsedReading.h"

#include <QDateTime>

#include <optional>
#include <utility>

// The wall clock can be set, by an operator or by time synchronisation: what it shows is kept for
// the eye and for the minute boundaries, but the time that really passed is measured on the other
// clock. A moment given as a plain instant has no such reading and counts on the wall clock alone.
struct Moment {
    Moment() = default;
    // Not explicit: wherever a moment is asked for, an instant alone will do.
    Moment(QDateTime at) : wall(std::move(at)) { }
    Moment(QDateTime at, std::optional<qint64> elapsed) : wall(std::move(at)), elapsedMs(elapsed) { }

    QDateTime wall;
    ElapsedReading elapsedMs; // milliseconds on the clock nobody can set; its zero means nothing

    // The wall instant real time has reached since anchor: anchor's wall instant plus the time
    // that passed between the two readings. Without both readings, this moment's wall instant.
    QDateTime realSince(const Moment &anchor) const
    {
        if (!elapsedMs || !anchor.elapsedMs || !anchor.wall.isValid())
            return wall;
        return anchor.wall.addMSecs(*elapsedMs - *anchor.elapsedMs);
    }

    // The elapsed reading at which realSince(anchor) next crosses a minute's edge; nothing without
    // both readings.
    std::optional<qint64> nextMinuteEdge(const Moment &anchor) const
    {
        if (!elapsedMs || !anchor.elapsedMs || !anchor.wall.isValid())
            return std::nullopt;
        constexpr qint64 kMinuteMs = 60000;
        const qint64 intoMinute = (realSince(anchor).toMSecsSinceEpoch() % kMinuteMs + kMinuteMs) % kMinuteMs;
        return *elapsedMs + kMinuteMs - intoMinute;
    }
};
