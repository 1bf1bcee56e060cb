#include "commands/TimingReports.h"

#include "commands/HistoryLog.h"
#include "timing/AmountDue.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"
#include "timing/WallClock.h"

namespace {
constexpr int kStyleCode = 4;
} // namespace

ReportDocument TimingReports::document(bool bPreview)
{
    ReportDocument d;
    d.title = TimingReports::title();
    d.styleCode = kStyleCode;
    d.preview = bPreview;
    d.copies = 1;
    return d;
}

namespace {
// The date, the item counts, and the main list's texts of this moment.
ReportDocument allDocument(const ModClock &state, const QDateTime &now, bool bPreview, const ReceiptSettings &receipt)
{
    ReportDocument d = TimingReports::document(bPreview);
    d.rollWidth = receipt.rollWidthFor(ReceiptSettings::Paper::List);
    d.listFlag = true;
    d.fileName = TimingReports::fileName(QStringLiteral("全部"), now);
    d.firstBlock = {QStringLiteral("日期:"), now.date()};
    d.secondBlock = {QStringLiteral("当前数量:"), state.lngItems, QStringLiteral("累计数量"), state.lngAdded};
    d.setTable(state.lvwMain);
    // The day is closed by adding up the list: minutes and fees as its rows show them.
    double minutes = 0;
    double fees = 0;
    QList<double> dues;
    for (int pos = 1; pos <= state.lvwMain.count(); ++pos) {
        minutes += state.lvwMain.at(pos).minutesShown;
        fees += state.lvwMain.at(pos).fee;
        dues << state.lvwMain.at(pos).fee;
    }
    // What the till asks of them all, each item's amount rounded as its bill shows it.
    d.thirdBlock = {AmountDue::label(receipt.rounding) + u':',
                    AmountDue::text(AmountDue::total(dues, receipt.rounding))};
    QVariantList total(ItemRowModel::ColumnCount, QString());
    total[ItemRowModel::ColName] = QStringLiteral("合计");
    total[ItemRowModel::ColMinutes] = TimeText::generalNumber(TimeText::roundMinutes(minutes));
    total[ItemRowModel::ColResult] = TimeText::generalNumber(fees);
    d.cells << total;
    return d;
}

// What a customer's receipt tells besides the sessions: the day, the scheme, and from when to when.
QVariantList receiptLines(const Item &item, const ItemBill &bill, const QDateTime &now)
{
    const clsSave &s = item.record;
    QVariantList lines = {QStringLiteral("日期:"), now.date(), QStringLiteral("方案:"),
                          bill.scheme.isEmpty() ? item.scheme : bill.scheme};
    if (s.cStart.count() > 0) {
        lines << QStringLiteral("开始:") << TimeText::hourMinute(s.cStart.value(1).time()) << QStringLiteral("结束:")
              << (item.running || s.cEnd.count() == 0 ? QStringLiteral("仍在计时")
                                                      : TimeText::hourMinute(s.cEnd.item(s.cEnd.count()).time()));
    }
    return lines;
}

// What the customer handed over and was handed back, after what was due; nothing when the
// operator was not asked or the amounts are none.
QVariantList paidLines(double fee, AmountDue::Rounding rule, std::optional<double> paid)
{
    const std::optional<qint64> due = AmountDue::fen(fee, rule);
    const std::optional<qint64> given = paid ? AmountDue::fen(*paid) : std::nullopt;
    if (!given || !due)
        return {};
    return {QStringLiteral("实收:"), AmountDue::text(*paid), QStringLiteral("找零:"),
            AmountDue::text(AmountDue::fromFen(*given - *due))};
}

} // namespace

QString TimingReports::fileName(const QString &what, const QDateTime &at)
{
    // Date and minute, so that today's bill does not invite overwriting yesterday's.
    return what + u'_' + at.toString(QStringLiteral("yyyy-MM-dd_HHmm"));
}

// The item at now: its name and state, the bill as it stands now and one row per session.
ReportDocument TimingReports::itemDocument(const Item &item, const ItemBill &bill, const Moment &moment, bool bPreview,
                                           const ReceiptSettings &receipt, std::optional<double> paid)
{
    const QDateTime &now = moment.wall;
    const clsSave &s = item.record;
    ReportDocument d = document(bPreview);
    d.title = billTitle();
    d.issuer = receipt.shopName;
    d.rollWidth = receipt.rollWidthFor(ReceiptSettings::Paper::Bill);
    d.rowsAsLines = true;
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
                     AmountDue::label(receipt.rounding) + u':',
                     AmountDue::text(bill.due(receipt.rounding))};
    // Goods sold beside the time, each on its own line, and the two parts of the amount due.
    if (!bill.goods.isEmpty()) {
        for (const GoodsLine &g : bill.goods)
            d.secondBlock << QStringLiteral("商品:") << g.text();
        d.secondBlock << QStringLiteral("机时:") << AmountDue::text(fee) << QStringLiteral("商品合计:")
                      << AmountDue::text(GoodsLine::total(bill.goods));
    }
    // The amount due is rounded already: the time's fee by the rule, the goods at their prices.
    d.secondBlock << paidLines(bill.due(receipt.rounding), AmountDue::Rounding::Fen, paid);
    d.thirdBlock = receiptLines(item, bill, now);
    if (item.limit.isSet())
        d.secondBlock << QStringLiteral("限额:") << item.limit.text() << QStringLiteral("剩余:")
                      << item.limit.leftText(minutes, fee);
    // A scheme priced by the hour shows what each band charged.
    for (const auto &[start, holds] : Tariff::bandParts(bill))
        d.secondBlock << start + u':' << holds;
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

QString TimingReports::billTitle()
{
    return QStringLiteral("计时账单");
}

ReportPrinter *TimingReports::report()
{
    // A component that could not be made is tried again by the next report.
    if (!m_report && m_factory)
        m_report = m_factory();
    return m_report.get();
}

void TimingReports::ReportItem(const Item &item, bool bPreview, std::optional<double> paid)
{
    const Moment now = m_clock.moment();
    const ReportDocument d = itemDocument(item, m_state.billOf(item, now), now, bPreview, *m_receipt, paid);
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
    r->present(allDocument(m_state, m_clock.now(), bPreview, *m_receipt));
}
