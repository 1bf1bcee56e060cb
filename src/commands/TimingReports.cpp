#include "commands/TimingReports.h"

#include "commands/HistoryLog.h"
#include "timing/AmountDue.h"
#include "timing/DayTakings.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"
#include "timing/WallClock.h"

namespace {
constexpr int kStyleCode = 4;

// Settings every report gives the component.
ReportDocument document(bool bPreview)
{
    ReportDocument d;
    d.title = TimingReports::title();
    d.styleCode = kStyleCode;
    d.preview = bPreview;
    d.copies = 1;
    return d;
}

// The date, the item counts, and the main list's texts of this moment.
ReportDocument allDocument(const ModClock &state, const QDateTime &now, bool bPreview)
{
    ReportDocument d = document(bPreview);
    d.listFlag = true;
    d.fileName = TimingReports::fileName(QStringLiteral("全部"), now);
    d.firstBlock = {QStringLiteral("日期:"), now.date()};
    d.secondBlock = {QStringLiteral("当前数量:"), state.lngItems, QStringLiteral("累计数量"), state.lngAdded};
    d.setTable(state.lvwMain);
    // The day is closed by adding up the list: minutes and fees as its rows show them.
    double minutes = 0;
    double fees = 0;
    for (int pos = 1; pos <= state.lvwMain.count(); ++pos) {
        minutes += state.lvwMain.at(pos).minutesShown;
        fees += state.lvwMain.at(pos).fee;
    }
    QVariantList total(ItemRowModel::ColumnCount, QString());
    total[ItemRowModel::ColName] = QStringLiteral("合计");
    total[ItemRowModel::ColMinutes] = TimeText::generalNumber(TimeText::roundMinutes(minutes));
    total[ItemRowModel::ColResult] = TimeText::generalNumber(fees);
    d.cells << total;
    return d;
}

// A total row of the day's report, beside the items it adds up.
QVariantList totalRow(const QString &label, const QList<DayTakings::Line> &lines)
{
    return {label,
            QString(),
            QString(),
            QString(),
            TimeText::generalNumber(DayTakings::minutes(lines)),
            AmountDue::text(DayTakings::due(lines))};
}
} // namespace

QString TimingReports::fileName(const QString &what, const QDateTime &at)
{
    // Date and minute, so that today's bill does not invite overwriting yesterday's.
    return what + u'_' + at.toString(QStringLiteral("yyyy-MM-dd_HHmm"));
}

QString TimingReports::ledgerFileName(const QDate &first, const QDate &last, const QDateTime &now)
{
    const QString form = QStringLiteral("yyyy-MM-dd");
    QString span = QStringLiteral("账目_") + first.toString(form);
    if (last != first)
        span += u'_' + last.toString(form);
    // Days that are over never change; those still going on are taken again as they go on.
    if (last < now.date())
        return span;
    // Today alone: its date is already in the name, the minute tells one taking from the next.
    return last == first && first == now.date() ? span + u'_' + now.toString(QStringLiteral("HHmm"))
                                                : fileName(span, now);
}

QStringList TimingReports::dayHeadings()
{
    return {QStringLiteral("项名称"),   QStringLiteral("计时方案"),       QStringLiteral("状态"),
            QStringLiteral("移除时间"), QStringLiteral("耗时累计(分钟)"), QStringLiteral("应收金额")};
}

QStringList TimingReports::dayRow(const DayTakings::Line &line)
{
    const bool settled = line.left.isValid();
    const QString state = settled ? RemovedItem::howRemoved(line.ended, line.atExit)
        : line.running            ? QStringLiteral("计时中")
                                  : QStringLiteral("已停止");
    return {line.name,
            line.scheme,
            state,
            settled ? TimeText::longTime(line.left.toLocalTime().time()) : QString(),
            TimeText::generalNumber(line.minutes),
            AmountDue::text(line.fee)};
}

QString TimingReports::dayTotal(const QString &what, const QList<DayTakings::Line> &lines)
{
    return QStringLiteral("%1: %2 项, 耗时累计(分钟): %3, 应收金额: %4")
        .arg(what)
        .arg(lines.size())
        .arg(TimeText::generalNumber(DayTakings::minutes(lines)), AmountDue::text(DayTakings::due(lines)));
}

ReportDocument TimingReports::dayDocument(const DayTakings &day, const QDateTime &now, bool bPreview)
{
    ReportDocument d = document(bPreview);
    d.fileName = ledgerFileName(day.date, day.date, now);
    d.firstBlock = {QStringLiteral("日期:"), day.date};
    // A file that could not be read is told on paper too, never printed as nothing settled.
    d.secondBlock = {QStringLiteral("已结算:"),
                     day.unreadable ? QVariant(QStringLiteral("账目文件无法读取")) : QVariant(int(day.settled.size())),
                     QStringLiteral("未结算:"), int(day.open.size())};
    for (const QString &heading : dayHeadings())
        d.headings << heading;
    for (const QList<DayTakings::Line> *lines : {&day.settled, &day.open})
        for (const DayTakings::Line &line : *lines)
            for (const QString &text : dayRow(line))
                d.cells << text;
    d.cells << totalRow(QStringLiteral("已结算合计"), day.settled) << totalRow(QStringLiteral("未结算合计"), day.open);
    return d;
}

QStringList TimingReports::periodHeadings()
{
    return {QStringLiteral("项名称"), QStringLiteral("计时次数"), QStringLiteral("耗时累计(分钟)"),
            QStringLiteral("应收金额"), QStringLiteral("分钟占比")};
}

QStringList TimingReports::periodRow(const PeriodTakings &period, const PeriodTakings::ItemLine &item)
{
    return {item.name, QString::number(item.sessions), TimeText::generalNumber(item.minutes), AmountDue::text(item.due),
            QString::number(100 * period.share(item), 'f', 1) + u'%'};
}

QString TimingReports::periodTotal(const PeriodTakings &period)
{
    return QStringLiteral("合计: %1 项, 计时 %2 次, 耗时累计(分钟): %3, 应收金额: %4")
        .arg(period.items.size())
        .arg(period.sessions())
        .arg(TimeText::generalNumber(period.minutes()), AmountDue::text(period.due()));
}

QString TimingReports::periodText(const PeriodTakings &period)
{
    const QLocale locale;
    const QString first = locale.toString(period.first, QLocale::ShortFormat);
    return period.hourly() ? first : first + QStringLiteral(" - ") + locale.toString(period.last, QLocale::ShortFormat);
}

ReportDocument TimingReports::periodDocument(const PeriodTakings &period, const QDateTime &now, bool bPreview,
                                             const QImage &chart)
{
    ReportDocument d = document(bPreview);
    d.fileName = ledgerFileName(period.first, period.last, now);
    d.firstBlock = {QStringLiteral("期间:"), periodText(period)};
    d.secondBlock = {QStringLiteral("计时次数:"), period.sessions(), QStringLiteral("应收金额:"),
                     AmountDue::text(period.due())};
    // Days whose files could not be read are not in the sums, and the paper says how many.
    if (period.unreadable > 0)
        d.secondBlock << QStringLiteral("无法读取:") << QStringLiteral("%1 天的账目").arg(period.unreadable);
    for (const QString &heading : periodHeadings())
        d.headings << heading;
    for (const PeriodTakings::ItemLine &item : period.items)
        for (const QString &text : periodRow(period, item))
            d.cells << text;
    d.cells << QStringLiteral("合计") << QString::number(period.sessions()) << TimeText::generalNumber(period.minutes())
            << AmountDue::text(period.due()) << (period.minutes() > 0 ? QStringLiteral("100.0%") : QString());
    d.chart = chart;
    return d;
}

// The item at now: its name and state, the bill as it stands now and one row per session.
ReportDocument TimingReports::itemDocument(const Item &item, const ItemBill &bill, const Moment &moment,
                                           bool bPreview)
{
    const QDateTime &now = moment.wall;
    const clsSave &s = item.record;
    ReportDocument d = document(bPreview);
    d.fileName = fileName(item.name, now);

    d.firstBlock = {QStringLiteral("名称:"), item.name, QStringLiteral("状态:")};
    // The bill from the sessions themselves, through the arithmetic that books them: the row shows
    // the last refresh, and the total must add up with the table below it.
    const double minutes = bill.minutes;
    const double fee = bill.fee;
    // The bill ends with what the customer is handed: the result to the fen.
    d.secondBlock = {QStringLiteral("计时次数:") + QString::number(s.cStart.count()),
                     QStringLiteral("合计耗时:") + TimeText::generalNumber(minutes),
                     QStringLiteral("结果:"),
                     TimeText::generalNumber(fee),
                     QStringLiteral("应收金额:"),
                     AmountDue::text(fee)};
    if (item.limit.isSet())
        d.secondBlock << QStringLiteral("限额:") << item.limit.text() << QStringLiteral("剩余:")
                      << item.limit.leftText(minutes, fee);
    // A scheme priced by the hour shows what each band charged.
    for (const QString &line : Tariff::bandLines(bill))
        d.secondBlock << line;
    d.headings = {QStringLiteral("开始时间"), QStringLiteral("结束时间"), QStringLiteral("时间")};

    for (int k = 1; k <= s.cEnd.count(); ++k)
        d.cells << s.cStart.value(k).time() << s.cEnd.item(k).time() << s.cTime.value(k);

    if (item.running) {
        d.firstBlock << QStringLiteral("截止至:") + TimeText::hourMinute(now.time()) + QStringLiteral("(仍在计时...)");
        // The minutes are counted from the recorded start rather than the start column's text, so
        // the locale's time format cannot garble them, and as a booked session would be.
        d.cells << ItemRowModel::cellText(item, ItemRowModel::ColLatestStart) << TimeText::hourMinute(now.time())
                << TimingOperations::sessionMinutes(item, moment);
    } else {
        d.firstBlock << QStringLiteral("已结束计时");
    }
    return d;
}

TimingReports::TimingReports(ModClock &state, const WallClock &clock, PrinterFactory factory)
    : m_state(state), m_clock(clock), m_factory(std::move(factory))
{ }

TimingReports::~TimingReports() = default;

QString TimingReports::title()
{
    return QStringLiteral("计时项清单");
}

ReportPrinter *TimingReports::report()
{
    // A component that could not be made is tried again by the next report.
    if (!m_report && m_factory)
        m_report = m_factory();
    return m_report.get();
}

void TimingReports::ReportItem(const Item &item, bool bPreview)
{
    const Moment now = m_clock.moment();
    const ReportDocument d = itemDocument(item, m_state.tariff.billAt(item, now), now, bPreview);
    if (ReportPrinter *r = report())
        r->present(d);
}

void TimingReports::ReportAll(bool bPreview)
{
    if (m_state.lngItems == 0)
        return;
    ReportPrinter *r = report();
    if (!r)
        return;
    r->present(allDocument(m_state, m_clock.now(), bPreview));
}
