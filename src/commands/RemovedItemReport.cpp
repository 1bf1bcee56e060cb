#include "commands/RemovedItemReport.h"

#include "commands/HistoryLog.h"
#include "timing/WallClock.h"

RemovedItemReport::RemovedItemReport(const WallClock &clock, TimingReports::PrinterFactory factory)
    : m_reports(m_state, clock, std::move(factory))
{ }

void RemovedItemReport::Show(const RemovedItem &removed, bool bPreview)
{
    while (m_state.lngItems > 0 && m_state.RemoveItem(1)) { }
    // No longer timed: the report shows it ended, with every minute it had used when it went.
    Item shown = removed.item;
    shown.total = removed.minutes();
    shown.running = false;
    if (m_state.AddItem(std::move(shown)) == 0)
        return;
    m_reports.ReportItem(bPreview);
}
