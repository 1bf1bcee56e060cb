#include "RemovedItemReport.h"

#include "HistoryLog.h"
#include "WallClock.h"

RemovedItemReport::RemovedItemReport(const WallClock &clock, Reports::PrinterFactory factory)
    : m_reports(m_state, clock, std::move(factory))
{
}

void RemovedItemReport::Show(const RemovedItem &item, bool bPreview)
{
    while (m_state.lngItems > 0 && m_state.RemoveItem(1)) {
    }
    const int pos = m_state.AddItem({item.name, item.scheme, 0, false}, item.removedAt);
    if (pos == 0)
        return;
    for (int col = 0; col < ItemRowModel::ColumnCount; ++col)
        m_state.lvwMain.SetText(pos, col, item.row[static_cast<size_t>(col)]);
    m_state.cSave.Item(pos) = item.record;
    m_state.cCount.Replace(pos, item.sessions);
    m_state.cTotal.Replace(pos, item.minutes);
    m_reports.ReportItem(bPreview);
}
