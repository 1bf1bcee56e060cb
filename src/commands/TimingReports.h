#pragma once
// The two reports: what goes into them, built from the timing state at the clock's "now", and
// handed to the report component.

#include "report/ReportPrinter.h"
#include "timing/DayTakings.h"
#include "timing/Moment.h"
#include "timing/PeriodTakings.h"

#include <functional>
#include <memory>

class ModClock;
class WallClock;
struct Item;

class TimingReports {
public:
    // Makes the component the first time a report runs; may return nullptr when it cannot.
    using PrinterFactory = std::function<std::unique_ptr<ReportPrinter>()>;

    TimingReports(ModClock &state, const WallClock &clock, PrinterFactory factory);
    ~TimingReports();
    TimingReports(const TimingReports &) = delete;
    TimingReports &operator=(const TimingReports &) = delete;

    // The item's name, state, totals and sessions (including the one in progress).
    // bPreview: true shows it on screen, false prints it.
    void ReportItem(const Item &item, bool bPreview);
    // The date, the item counts and the main list as it stands.
    void ReportAll(bool bPreview);

    // The shared component, nullptr until a report has created it.
    ReportPrinter *objReport() const { return m_report.get(); }

    static QString title();
    // The item's report at now, its fee from calc.
    static ReportDocument itemDocument(const Item &item, const ItemBill &bill, const Moment &now, bool bPreview);
    // The day as the day view shows it: one row per item, settled then open, and both totals.
    static ReportDocument dayDocument(const DayTakings &day, const QDateTime &now, bool bPreview);

    // What a report's file is called: what it is of (an item's name, 全部) and when.
    static QString fileName(const QString &what, const QDateTime &at);
    // What every file of the takings of first to last is called, a CSV export as the report's PDF:
    // "账目_2026-12-07" for a day gone by, "账目_2026-12-07_2026-12-13" for days, and with the
    // minute it was taken at (as fileName) while the days are not over at now.
    static QString ledgerFileName(const QDate &first, const QDate &last, const QDateTime &now);
    // The day's columns and an item's row in them, in the day view as in the day's report.
    static QStringList dayHeadings();
    static QStringList dayRow(const DayTakings::Line &line);
    // "已结算: 2 项, 耗时累计(分钟): 121, 应收金额: 10.09"
    static QString dayTotal(const QString &what, const QList<DayTakings::Line> &lines);

    // The period's items, their totals and, when given, its chart above them.
    static ReportDocument periodDocument(const PeriodTakings &period, const QDateTime &now, bool bPreview,
                                         const QImage &chart = {});
    // The period's columns and an item's row in them, in the period view as in its report.
    static QStringList periodHeadings();
    static QStringList periodRow(const PeriodTakings &period, const PeriodTakings::ItemLine &item);
    // "合计: 30 项, 计时 9300 次, 耗时累计(分钟): 825000, 应收金额: 68750.00"
    static QString periodTotal(const PeriodTakings &period);
    // "2026/12/1 - 2026/12/7", in the operator's date form; one date for a day.
    static QString periodText(const PeriodTakings &period);

private:
    ReportPrinter *report();

    ModClock &m_state;
    const WallClock &m_clock;
    PrinterFactory m_factory;
    std::unique_ptr<ReportPrinter> m_report;
};
