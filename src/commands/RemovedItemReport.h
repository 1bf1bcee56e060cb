#pragma once
// The report of an item that is no longer on the list, built from what the history kept of it.

#include "commands/TimingReports.h"
#include "timing/ModClock.h"

struct RemovedItem;
class WallClock;

// The item reports are made from the shared state, so a removed item is put back, alone, into a
// private copy of that state and reported from there. Both live as long as this object, so a
// preview the report component keeps open stays valid.
class RemovedItemReport {
public:
    RemovedItemReport(const WallClock &clock, TimingReports::PrinterFactory factory);

    // The report of item, shown as ended: a removed item is no longer timed.
    void Show(const RemovedItem &removed, bool bPreview);

    const ModClock &state() const { return m_state; }

private:
    ModClock m_state;
    TimingReports m_reports;
};
