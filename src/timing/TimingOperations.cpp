#include "timing/TimingOperations.h"

#include "timing/ClockTick.h"
#include "timing/DayLedger.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"

#include <cmath>
#include <utility>

namespace TimingOperations {

double SessionMinutes(const Item &item, const Moment &now)
{
    // The recorded start is the truth; the "最近开始" text is for the eye and need not parse back.
    if (item.sessionCount() == 0)
        return 0;
    const QDateTime end = item.running ? now.RealSince(item.anchor) : now.wall;
    return TimeText::RoundMinutes(double(TimeText::WholeMinutes(item.latestStart(), end)));
}

double RunningMinutes(const Item &item, const Moment &now)
{
    const double session = item.running ? SessionMinutes(item, now) : 0.0;
    return TimeText::RoundMinutes(item.total + session);
}

double SessionMinutes(const ModClock &state, int pos, const Moment &now)
{
    return state.lvwMain.IsValid(pos) ? SessionMinutes(state.lvwMain.At(pos), now) : 0.0;
}

double RunningMinutes(const ModClock &state, int pos, const Moment &now)
{
    return state.lvwMain.IsValid(pos) ? RunningMinutes(state.lvwMain.At(pos), now) : 0.0;
}

void ShowMinutes(ModClock &state, int pos, double minutes, const QTime &upTo)
{
    ItemRowModel &rows = state.lvwMain;
    Item *item = rows.edit(pos);
    if (!item)
        return;
    const double fee = valCalc(state, item->scheme, minutes);
    const QTime minute(upTo.hour(), upTo.minute());
    // A row that already shows these is no change to announce; a fee that is not a number is the
    // same as the last one that was not either.
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    if (item->upTo == minute && same(item->minutesShown, minutes) && same(item->fee, fee))
        return;
    item->upTo = minute;
    item->minutesShown = minutes;
    item->fee = fee;
    rows.rowChanged(pos, ItemRowModel::ColUpTo, ItemRowModel::ColResult,
                    {Qt::DisplayRole, ItemRowModel::MinutesRole, ItemRowModel::FeeRole});
}

void AnchorRunning(ModClock &state, const Moment &now)
{
    for (int i = 1; i <= state.lvwMain.Count(); ++i) {
        Item *item = state.lvwMain.edit(i);
        if (item->running)
            item->anchor = now;
    }
}

void StartTimer(ModClock &state, const Moment &now)
{
    const int i = state.SelectedPos();
    Item *item = state.lvwMain.edit(i);
    if (!item || item->running)
        return;
    item->running = true;
    item->anchor = now;
    item->record.cStart.Add(now.wall);
    state.lvwMain.rowChanged(i, ItemRowModel::ColName, ItemRowModel::ColCount,
                             {Qt::DisplayRole, ItemRowModel::ImageRole, ItemRowModel::TagRole});
    if (state.journal)
        state.journal->Started(item->name, now.wall);
}

std::optional<double> EndTimer(ModClock &state, const Moment &now, std::optional<double> booked)
{
    const int i = state.SelectedPos();
    Item *item = state.lvwMain.edit(i);
    // A stopped item is left as it is: it already shows the stopped image and tag.
    if (!item || !item->running)
        return std::nullopt;
    const double m = booked ? *booked : SessionMinutes(*item, now);
    item->record.cTime.Add(m);
    item->total += m;
    item->running = false;
    item->anchor = Moment();
    item->record.cEnd.Add(now.wall);
    state.lvwMain.rowChanged(i, ItemRowModel::ColName, ItemRowModel::ColName,
                             {ItemRowModel::ImageRole, ItemRowModel::TagRole});
    // The row shows the bill as it now stands, not as it stood at the last refresh.
    ShowMinutes(state, i, RunningMinutes(*item, now), now.wall.time());
    if (state.journal)
        state.journal->Ended(item->name, now.wall, m);
    if (state.ledger)
        state.ledger->Booked(item->name, item->scheme, item->latestStart(), now.wall, m);
    return m;
}

bool SetTimer(ModClock &state, bool clockEnabled, const Moment &now)
{
    const QPersistentModelIndex remembered = state.itmSelected;
    // One journal line for all the items: a hundred items must not cost a hundred disk writes.
    ItemJournal *const journal = std::exchange(state.journal, nullptr);
    const DayLedger::Batch sessions(state.ledger);
    ItemJournal::Booked ended;
    for (int i = 1; i <= state.lngItems && i <= state.lvwMain.Count(); ++i) {
        state.Select(i);
        if (clockEnabled)
            StartTimer(state, now);
        else if (const std::optional<double> m = EndTimer(state, now))
            ended.append({state.cName.Value(i), *m});
    }
    state.itmSelected = remembered;
    state.journal = journal;
    if (journal && state.lngItems > 0)
        journal->AllTimed(clockEnabled, now.wall, ended);
    return state.SelectedPos() != 0;
}

namespace {
// The bill of an item leaving now: every minute it used, and its scheme's fee for them.
struct Bill {
    double minutes;
    double fee;
};
Bill billNow(ModClock &state, const Item &item, const Moment &now)
{
    const double minutes = RunningMinutes(item, now);
    return {minutes, valCalc(state, item.scheme, minutes)};
}
} // namespace

void ItemLeaving(ModClock &state, int pos, bool ended, const Moment &now)
{
    if (!state.lvwMain.IsValid(pos))
        return;
    const Item item = state.lvwMain.At(pos);
    const Bill bill = billNow(state, item, now);
    // The journal hears of the bill first: a crash before the ledger has it books it on restore,
    // and one after finds the item gone, so it is never booked twice.
    ItemJournal *const journal = std::exchange(state.journal, nullptr);
    if (journal)
        journal->Left({{item.name, bill.minutes, bill.fee}},
                      ended ? JournalLines::How::Ended : JournalLines::How::Removed, now.wall);
    state.RemoveItem(pos);
    state.journal = journal;
    if (state.ledger)
        state.ledger->Left(item.name, item.scheme, ended, bill.minutes, bill.fee, now.wall);
}

void LeaveAtExit(ModClock &state, const Moment &now)
{
    QList<ItemJournal::Bill> bills;
    for (int i = 1; i <= state.lvwMain.Count(); ++i) {
        const Item &item = state.lvwMain.At(i);
        const Bill bill = billNow(state, item, now);
        bills.append({item.name, bill.minutes, bill.fee});
    }
    // In the journal first, all in one write, as a removal is.
    if (state.journal)
        state.journal->Left(bills, JournalLines::How::AtExit, now.wall);
    if (!state.ledger)
        return;
    const DayLedger::Batch leaving(state.ledger);
    for (int i = 1; i <= state.lvwMain.Count(); ++i) {
        const Item &item = state.lvwMain.At(i);
        state.ledger->LeftAtExit(item.name, item.scheme, bills[i - 1].minutes, bills[i - 1].fee, now.wall);
    }
}

QString ItemTooltip(const ModClock &state, int pos)
{
    return QStringLiteral("所选项:") + state.lvwMain.Text(pos, ItemRowModel::ColName) + QStringLiteral(" 计算结果: ")
        + state.lvwMain.Text(pos, ItemRowModel::ColResult);
}

ClickResult ItemClick(ModClock &state, int pos)
{
    ClickResult r;
    if (!state.lvwMain.IsValid(pos))
        return r;
    const bool timed = state.lvwMain.Tag(pos);
    r.valid = true;
    r.startEntryEnabled = !timed;
    r.endEntryEnabled = timed;
    state.Select(pos);
    r.tooltip = ItemTooltip(state, pos);
    return r;
}

} // namespace TimingOperations
