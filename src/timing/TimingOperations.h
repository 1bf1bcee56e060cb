#pragma once
// Starting and ending the timing of the current item, or of every item at once.

#include "timing/Moment.h"

#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

class ModClock;
struct Item;

namespace TimingOperations {

// Opens a session for the current item; an item already being timed is left alone. Without a
// current item nothing happens. The session counts real time from now on.
void StartTimer(ModClock &state, const Moment &now);

// Closes the current item's session and books its whole minutes, or the minutes given (as a run
// booked them, replayed from its journal); a stopped item only gets its stopped image and tag
// again. Returns the minutes booked, nothing when no session was open.
std::optional<double> EndTimer(ModClock &state, const Moment &now, std::optional<double> booked = std::nullopt);

// Starts every item when the clock is now enabled, ends every item otherwise, and leaves the
// current item as it was. Returns true when there is a current item, whose start and end entries
// the caller then sets from the clock.
bool SetTimer(ModClock &state, bool clockEnabled, const Moment &now);

// The item at pos leaves the list, ended and reported first or only removed: the journal and then
// the day's ledger keep its bill as it stands, and the item is removed.
void ItemLeaving(ModClock &state, int pos, bool ended, const Moment &now);

// The operator closed the program: every item on the list leaves the journal and then the day's
// ledger with its minutes and fee as they stand, each in one write. The list itself stays.
void LeaveAtExit(ModClock &state, const Moment &now);

// What clicking a row changes on the window: which of the start button's entries is enabled, and
// the list's tooltip. The clicked row becomes the current item.
struct ClickResult {
    bool valid = false;
    bool startEntryEnabled = false; // "S1"
    bool endEntryEnabled = false; // "S2"
    QString tooltip;
};
ClickResult ItemClick(ModClock &state, int pos);

// "所选项:" + name + " 计算结果: " + result column of the row.
QString ItemTooltip(const ModClock &state, int pos);

// The whole minutes of the item's latest session up to now (0 before its first), and its booked
// minutes plus those of the session in progress; the same arithmetic ends a session, refreshes a
// row, reports a session in progress and bills an item that leaves. A session in progress counts
// the minute boundaries from its start to its start plus the time that really passed, so a wall
// clock set forward or back bills nothing and takes nothing away. The forms with a position give
// 0 outside the list.
double SessionMinutes(const Item &item, const Moment &now);
double RunningMinutes(const Item &item, const Moment &now);
double RunningMinutes(const ModClock &state, int pos, const Moment &now);
double SessionMinutes(const ModClock &state, int pos, const Moment &now);

// Sessions still running from an earlier run (restored from its journal) count real time from now
// on: up to now only the wall clock can tell how long they ran.
void AnchorRunning(ModClock &state, const Moment &now);

// Shows minutes on item pos, counted up to the clock minute of upTo, and the fee its scheme gives
// for them: a row never shows a fee that belongs to other minutes.
void ShowMinutes(ModClock &state, int pos, double minutes, const QTime &upTo);

} // namespace TimingOperations
