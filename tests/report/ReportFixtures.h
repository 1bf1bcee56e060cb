#pragma once
// Items with booked and running sessions, timed through the list's own operations, for report tests.

#include "timing/ModClock.h"

#include <QList>
#include <QTime>

#include <utility>

namespace ReportFixtures {

using Session = std::pair<QTime, QTime>;

// A stopped item (scheme 5*C/60) that was started and ended for each of these sessions, as the
// operator would. Times of day on the day the item was made; an end earlier in the day is the
// next day's.
inline int addItem(ModClock &s, const QString &name, const QList<Session> &sessions, const QDateTime &created)
{
    const int pos = s.add(NewItem {name, QStringLiteral("5*C/60"), 0, false}, created);
    for (const Session &session : sessions) {
        const QDateTime start(created.date(), session.first);
        const QDateTime end(created.date().addDays(session.second < session.first ? 1 : 0), session.second);
        s.startTiming(pos, start);
        s.endTiming(pos, end);
    }
    return pos;
}

// Item pos starts at t, as the start command does.
inline void start(ModClock &s, int pos, const QDateTime &t)
{
    s.startTiming(pos, t);
}

} // namespace ReportFixtures
