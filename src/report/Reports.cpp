#include "Reports.h"

#include "ModClock.h"
#include "ClockTick.h"
#include "TimeText.h"
#include "TimingOperations.h"
#include "WallClock.h"

namespace {
constexpr int kStyleCode = 4;
} // namespace

Reports::Reports(ModClock &state, const WallClock &clock, PrinterFactory factory)
    : m_state(state), m_clock(clock), m_factory(std::move(factory))
{
}

Reports::~Reports() = default;

QString Reports::Title()
{
    return QStringLiteral("计时项清单");
}

ReportPrinter *Reports::report()
{
    // A component that could not be made is tried again by the next report.
    if (!m_report && m_factory)
        m_report = m_factory();
    return m_report.get();
}

void Reports::ReportItem(bool bPreview)
{
    if (m_state.lngItems == 0)
        return;
    const int i = m_state.SelectedPos();
    // Without a current item there is nothing to report on; a report of blank values would only
    // waste paper.
    if (!m_state.cSave.IsValid(i))
        return;
    const ItemRowModel &rows = m_state.lvwMain;
    const clsSave &s = m_state.cSave.Item(i);
    const QDateTime now = m_clock.now();

    ReportList head1;
    head1.Add(QStringLiteral("名称:"));
    head1.Add(rows.Text(i, ItemRowModel::ColName));
    head1.Add(QStringLiteral("状态:"));
    ReportList head2;
    head2.Add(QStringLiteral("计时次数:") + QString::number(s.cStart.Count()));
    // The bill as it stands now, from the sessions themselves: the row shows the last refresh, and
    // the total must add up with the table below it.
    const double minutes = TimingOperations::RunningMinutes(m_state, i, now);
    head2.Add(QStringLiteral("合计耗时:") + TimeText::GeneralNumber(minutes));
    head2.Add(QStringLiteral("结果:"));
    head2.Add(TimeText::GeneralNumber(valCalc(m_state, m_state.cItemFangAn.Value(i), minutes)));
    ReportList headings;
    headings.Add(QStringLiteral("开始时间"));
    headings.Add(QStringLiteral("结束时间"));
    headings.Add(QStringLiteral("时间"));

    ReportList cells;
    for (int k = 1; k <= s.cEnd.Count(); ++k) {
        cells.Add(s.cStart.Value(k).time());
        cells.Add(s.cEnd.Item(k).time());
        cells.Add(s.cTime.Value(k));
    }

    if (rows.Tag(i)) {
        head1.Add(QStringLiteral("截止至:") + TimeText::HourMinute(now.time()) + QStringLiteral("(仍在计时...)"));
        cells.Add(rows.Text(i, ItemRowModel::ColLatestStart));
        cells.Add(TimeText::HourMinute(now.time()));
        // Counted from the recorded start rather than the start column's text, so the locale's
        // time format cannot garble it, and as a booked session would be.
        cells.Add(TimingOperations::SessionMinutes(m_state, i, now));
    } else {
        head1.Add(QStringLiteral("已结束计时"));
    }

    ReportPrinter *r = report();
    if (!r)
        return;
    r->SetStyleCode(kStyleCode);
    r->SetPreview(bPreview);
    r->SetTitle(Title());
    r->SetHeaderBlocks(head1, head2, 0, 0);
    r->BuildTable(0, headings, cells, 0, nullptr, 0, 0);
    if (!bPreview)
        r->PrintReport(1);
}

void Reports::ReportAll(bool bPreview)
{
    if (m_state.lngItems == 0)
        return;
    ReportList head1;
    head1.Add(QStringLiteral("日期:"));
    head1.Add(m_clock.now().date());
    ReportList head2;
    head2.Add(QStringLiteral("当前数量:"));
    head2.Add(m_state.lngItems);
    head2.Add(QStringLiteral("累计数量"));
    head2.Add(m_state.lngAdded);

    ReportPrinter *r = report();
    if (!r)
        return;
    r->SetSourceList(&m_state.lvwMain);
    r->BuildListTable(0, 0, nullptr, 0, 0);
    r->SetListFlag(true);
    r->SetPreview(bPreview);
    r->SetHeaderBlocks(head1, head2, 0, 0);
    r->SetTitle(Title());
    r->SetStyleCode(kStyleCode);
    if (!bPreview)
        r->PrintReport(1);
}
