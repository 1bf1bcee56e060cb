#include "history/RemovedItemReport.h"

#include "commands/HistoryLog.h"
#include "timing/WallClock.h"

RemovedItemReport::RemovedItemReport(const WallClock &clock, TimingReports::PrinterFactory factory)
    : m_clock(clock), m_factory(std::move(factory))
{ }

void RemovedItemReport::show(const RemovedItem &removed, bool bPreview)
{
    // No longer timed: the report shows it ended, with every minute it had used when it went.
    Item shown = removed.item;
    shown.total = removed.minutes();
    shown.running = false;
    // A component that could not be made is tried again by the next report.
    if (!m_report && m_factory)
        m_report = m_factory();
    if (m_report)
        m_report->present(TimingReports::itemDocument(shown, removed.bill, m_clock.moment(), bPreview, *m_receipt));
}
