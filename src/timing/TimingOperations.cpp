#include "TimingOperations.h"

#include "ClockTick.h"
#include "ItemJournal.h"
#include "ModClock.h"
#include "TimeText.h"

#include <utility>

namespace TimingOperations {

double SessionMinutes(const ModClock &state, int pos, const QDateTime &now)
{
    // The recorded start is the truth; the "最近开始" text is for the eye and need not parse back.
    if (!state.cSave.IsValid(pos) || state.cSave.Item(pos).cStart.Count() == 0)
        return 0;
    const QDateTime &start = state.cSave.Item(pos).cStart.Last();
    return TimeText::RoundMinutes(double(TimeText::WholeMinutes(start, now)));
}

double RunningMinutes(const ModClock &state, int pos, const QDateTime &now)
{
    const double session = state.cRunning.Value(pos, false) ? SessionMinutes(state, pos, now) : 0.0;
    return TimeText::RoundMinutes(state.cTotal.Value(pos, 0) + session);
}

void ShowMinutes(ModClock &state, int pos, double minutes, const QString &upTo)
{
    ItemRowModel &rows = state.lvwMain;
    if (!rows.IsValid(pos))
        return;
    rows.SetText(pos, ItemRowModel::ColUpTo, upTo);
    rows.SetText(pos, ItemRowModel::ColMinutes, TimeText::GeneralNumber(minutes));
    const double fee = valCalc(state, state.cItemFangAn.Value(pos), minutes);
    rows.SetText(pos, ItemRowModel::ColResult, TimeText::GeneralNumber(fee));
}

void StartTimer(ModClock &state, const QDateTime &now)
{
    const int i = state.SelectedPos();
    if (i == 0 || !state.cRunning.IsValid(i) || state.cRunning.Item(i))
        return;
    ItemRowModel &rows = state.lvwMain;
    rows.SetImage(i, ItemRowModel::ImageTimed);
    state.cRunning.Replace(i, true);
    rows.SetText(i, ItemRowModel::ColLatestStart, TimeText::LongTime(now.time()));
    rows.SetTag(i, true);
    state.cCount.Replace(i, state.cCount.Item(i) + 1);
    rows.SetText(i, ItemRowModel::ColCount, QString::number(state.cCount.Item(i)));
    state.cSave.Item(i).cStart.Add(now);
    if (state.journal)
        state.journal->Started(state.cName.Item(i), now);
}

void EndTimer(ModClock &state, const QDateTime &now)
{
    const int i = state.SelectedPos();
    if (i == 0 || !state.cRunning.IsValid(i))
        return;
    if (state.cRunning.Item(i)) {
        const double m = SessionMinutes(state, i, now);
        clsSave &r = state.cSave.Item(i);
        r.cTime.Add(m);
        state.cTotal.Replace(i, state.cTotal.Item(i) + m);
        state.cRunning.Replace(i, false);
        r.cEnd.Add(now);
        // The row shows the bill as it now stands, not as it stood at the last refresh.
        ShowMinutes(state, i, RunningMinutes(state, i, now), TimeText::HourMinute(now.time()));
        if (state.journal)
            state.journal->Ended(state.cName.Item(i), now);
    }
    state.lvwMain.SetImage(i, ItemRowModel::ImageStopped);
    state.lvwMain.SetTag(i, false);
}

bool SetTimer(ModClock &state, bool clockEnabled, const QDateTime &now)
{
    const QPersistentModelIndex remembered = state.itmSelected;
    // One journal line for all the items: a hundred items must not cost a hundred disk writes.
    ItemJournal *const journal = std::exchange(state.journal, nullptr);
    for (int i = 1; i <= state.lngItems && i <= state.lvwMain.Count(); ++i) {
        state.Select(i);
        if (clockEnabled)
            StartTimer(state, now);
        else
            EndTimer(state, now);
    }
    state.itmSelected = remembered;
    state.journal = journal;
    if (journal && state.lngItems > 0)
        journal->AllTimed(clockEnabled, now);
    return state.SelectedPos() != 0;
}

QString ItemTooltip(const ModClock &state, int pos)
{
    return QStringLiteral("所选项:") + state.lvwMain.Text(pos, ItemRowModel::ColName)
        + QStringLiteral(" 计算结果: ") + state.lvwMain.Text(pos, ItemRowModel::ColResult);
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
