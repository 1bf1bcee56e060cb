#pragma once
// Items with booked and running sessions, put straight into the shared state for report tests.

#include "ModClock.h"
#include "TimeText.h"

#include <QList>
#include <QTime>

#include <utility>

namespace ReportFixtures {

using Session = std::pair<QTime, QTime>;

// A stopped item with these finished sessions, its totals and row texts as the timing operations
// and the last refresh would have left them (scheme 5*C/60).
inline int addItem(ModClock &s, const QString &name, const QList<Session> &sessions, const QDateTime &created)
{
    const int pos = s.AddItem(NewItem{name, QStringLiteral("5*C/60"), 0, false}, created);
    clsSave &record = s.cSave.Item(pos);
    double total = 0;
    for (const Session &session : sessions) {
        // Times of day on the day the item was made; an end earlier in the day is the next day's.
        const QDateTime start(created.date(), session.first);
        const QDateTime end(created.date().addDays(session.second < session.first ? 1 : 0), session.second);
        const double minutes = TimeText::RoundMinutes(double(TimeText::WholeMinutes(start, end)));
        record.cStart.Add(start);
        record.cEnd.Add(end);
        record.cTime.Add(minutes);
        total += minutes;
    }
    s.cTotal.Replace(pos, total);
    s.cCount.Replace(pos, int(sessions.size()));
    s.lvwMain.SetText(pos, ItemRowModel::ColCount, QString::number(sessions.size()));
    s.lvwMain.SetText(pos, ItemRowModel::ColMinutes, TimeText::GeneralNumber(total));
    s.lvwMain.SetText(pos, ItemRowModel::ColResult, TimeText::GeneralNumber(5 * total / 60));
    if (!sessions.isEmpty())
        s.lvwMain.SetText(pos, ItemRowModel::ColLatestStart, TimeText::LongTime(sessions.last().first));
    return pos;
}

// Opens a session at t the way starting an item does.
inline void start(ModClock &s, int pos, const QDateTime &t)
{
    s.cSave.Item(pos).cStart.Add(t);
    s.cRunning.Replace(pos, true);
    s.cCount.Replace(pos, s.cCount.Item(pos) + 1);
    s.lvwMain.SetText(pos, ItemRowModel::ColLatestStart, TimeText::LongTime(t.time()));
    s.lvwMain.SetText(pos, ItemRowModel::ColCount, QString::number(s.cCount.Item(pos)));
    s.lvwMain.SetImage(pos, ItemRowModel::ImageTimed);
    s.lvwMain.SetTag(pos, true);
}

} // namespace ReportFixtures
