#pragma once
// Starting and ending the timing of the current item, or of every item at once.

#include <QDateTime>
#include <QString>

class ModClock;

namespace TimingOperations {

// Opens a session for the current item; an item already being timed is left alone. Without a
// current item nothing happens.
void StartTimer(ModClock &state, const QDateTime &now);

// Closes the current item's session and books its whole minutes; a stopped item only gets its
// stopped image and tag again.
void EndTimer(ModClock &state, const QDateTime &now);

// Starts every item when the clock is now enabled, ends every item otherwise, and leaves the
// current item as it was. Returns true when there is a current item, whose start and end entries
// the caller then sets from the clock.
bool SetTimer(ModClock &state, bool clockEnabled, const QDateTime &now);

// What clicking a row changes on the window: which of the start button's entries is enabled, and
// the list's tooltip. The clicked row becomes the current item.
struct ClickResult {
    bool valid = false;
    bool startEntryEnabled = false; // "S1"
    bool endEntryEnabled = false;   // "S2"
    QString tooltip;
};
ClickResult ItemClick(ModClock &state, int pos);

// "所选项:" + name + " 计算结果: " + result column of the row.
QString ItemTooltip(const ModClock &state, int pos);

// Minutes of the current session of item pos at now, plus what it booked before; the same
// arithmetic ends a session, refreshes a row and reports a session in progress.
double RunningMinutes(const ModClock &state, int pos, const QDateTime &now);
double SessionMinutes(const ModClock &state, int pos, const QDateTime &now);

// Writes the minutes of row pos, counted up to the clock minute upTo ("hh:mm"), and the fee its
// scheme gives for them: a row never shows a fee that belongs to other minutes.
void ShowMinutes(ModClock &state, int pos, double minutes, const QString &upTo);

} // namespace TimingOperations
