#pragma once
// An operator's turn as it is handed over: the items settled in it and the goods sold, read from
// the ledgers of every day it spans, and where the ledgers say the turn now going on began.

#include "timing/DayTakings.h"
#include "timing/Shift.h"

#include <optional>

namespace ShiftTakings {

// The shift still open at readAt: the last shift line of the latest day that has one, from the day
// after readAt's back at most kLookBack days; none when that line is a hand-over or no day has one.
std::optional<Shift> openShift(const DayLedger &ledger, const QDateTime &readAt);
constexpr int kLookBack = 62;

// What was settled in shift, on every day from its start to its end (or readAt while it is open),
// by the order of the files: a line written after the hand-over is the next shift's, whatever its
// instant. date is its last day, so that the items open then can be added; unreadable when any of its days could not be read.
DayTakings settledIn(const DayLedger &ledger, const Shift &shift, const QDateTime &readAt);

} // namespace ShiftTakings
