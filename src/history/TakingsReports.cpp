#include "history/TakingsReports.h"

#include "commands/HistoryLog.h"
#include "commands/TimingReports.h"
#include "timing/AmountDue.h"
#include "timing/TimeText.h"

#include <QLocale>

namespace TakingsReports {

namespace {
// A total row of the day's report, beside the items it adds up.
QVariantList totalRow(const QString &label, const QList<DayTakings::Line> &lines, AmountDue::Rounding rule, bool goods)
{
    QVariantList row {label, QString(), QString(), QString(), TimeText::generalNumber(DayTakings::minutes(lines))};
    if (goods)
        row << AmountDue::text(DayTakings::machineDue(lines, rule)) << AmountDue::text(DayTakings::goodsDue(lines));
    return row << AmountDue::text(DayTakings::due(lines, rule));
}

// "机时: 10.09, 商品: 7.00, " before the amount due, when there are goods.
QString parts(bool goods, double machine, double sold)
{
    return goods ? QStringLiteral("机时: %1, 商品: %2, ").arg(AmountDue::text(machine), AmountDue::text(sold))
                 : QString();
}
// Every line settled, then every line open, and their totals, as the day view shows them.
void addDayTable(ReportDocument &d, const DayTakings &day, AmountDue::Rounding rule)
{
    const bool goods = withGoods(day);
    for (const QString &heading : dayHeadings(rule, goods))
        d.headings << heading;
    for (const QList<DayTakings::Line> *lines : {&day.settled, &day.open})
        for (const DayTakings::Line &line : *lines)
            for (const QString &text : dayRow(line, rule, goods))
                d.cells << text;
    d.cells << totalRow(QStringLiteral("已结算合计"), day.settled, rule, goods)
            << totalRow(QStringLiteral("未结算合计"), day.open, rule, goods)
            << totalRow(QStringLiteral("合计"), day.settled + day.open, rule, goods);
}
} // namespace

QString dayTitle()
{
    return QStringLiteral("日账目");
}

QString periodTitle()
{
    return QStringLiteral("期间账目");
}

QString shiftTitle()
{
    return QStringLiteral("交班结算");
}

QString ledgerFileName(const QDate &first, const QDate &last, const QDateTime &now)
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
                                                : TimingReports::fileName(span, now);
}

bool withGoods(const DayTakings &day)
{
    return DayTakings::goodsDue(day.settled) != 0 || DayTakings::goodsDue(day.open) != 0;
}

bool withGoods(const PeriodTakings &period)
{
    return period.goods() != 0;
}

QStringList dayHeadings(AmountDue::Rounding rule, bool goods)
{
    QStringList headings {QStringLiteral("项名称"), QStringLiteral("计时方案"), QStringLiteral("状态"),
                          QStringLiteral("移除时间"), QStringLiteral("耗时累计(分钟)")};
    if (goods)
        headings << QStringLiteral("机时") << QStringLiteral("商品");
    return headings << AmountDue::label(rule);
}

QStringList dayRow(const DayTakings::Line &line, AmountDue::Rounding rule, bool goods)
{
    const bool settled = line.left.isValid();
    const QString state = settled ? RemovedItem::howRemoved(line.ended, line.atExit)
        : line.running            ? QStringLiteral("计时中")
                                  : QStringLiteral("已停止");
    QStringList row {line.name, line.scheme, state,
                     settled ? TimeText::longTime(line.left.toLocalTime().time()) : QString(),
                     TimeText::generalNumber(line.minutes)};
    if (goods)
        row << AmountDue::text(line.fee, rule) << AmountDue::text(line.goods);
    return row << AmountDue::text(line.due(rule));
}

QString dayTotal(const QString &what, const QList<DayTakings::Line> &lines, AmountDue::Rounding rule, bool goods)
{
    return QStringLiteral("%1: %2 项, 耗时累计(分钟): %3, %4%5: %6")
        .arg(what)
        .arg(lines.size())
        .arg(TimeText::generalNumber(DayTakings::minutes(lines)),
             parts(goods, DayTakings::machineDue(lines, rule), DayTakings::goodsDue(lines)), AmountDue::label(rule),
             AmountDue::text(DayTakings::due(lines, rule)));
}

ReportDocument dayDocument(const TakingsRequest &request, const DayTakings &day, bool bPreview,
                           const ReceiptSettings &receipt)
{
    const AmountDue::Rounding rule = receipt.rounding;
    ReportDocument d = TimingReports::document(bPreview);
    d.title = dayTitle();
    d.rollWidth = receipt.rollWidthFor(ReceiptSettings::Paper::Day);
    d.fileName = ledgerFileName(request.firstDay(), request.lastDay(), request.readAt);
    d.firstBlock = {QStringLiteral("日期:"), day.date};
    // A file that could not be read is told on paper too, never printed as nothing settled.
    d.secondBlock = {QStringLiteral("已结算:"),
                     day.unreadable ? QVariant(QStringLiteral("账目文件无法读取")) : QVariant(int(day.settled.size())),
                     QStringLiteral("未结算:"), int(day.open.size())};
    addDayTable(d, day, rule);
    return d;
}

ReportDocument shiftDocument(const Shift &shift, const DayTakings &taken, bool bPreview,
                             const ReceiptSettings &receipt)
{
    ReportDocument d = TimingReports::document(bPreview);
    d.title = shiftTitle();
    d.issuer = receipt.shopName;
    d.rollWidth = receipt.rollWidthFor(ReceiptSettings::Paper::Shift);
    // Named by when it was handed over, so that the day's cash-ups lie in order beside each other.
    const QDateTime named = shift.to.isValid() ? shift.to : shift.from;
    d.fileName = QStringLiteral("交班_%1_%2").arg(named.toString(QStringLiteral("yyyy-MM-dd_HHmm")), shift.operatorName);
    d.firstBlock = {QStringLiteral("操作员:"), shift.operatorName};
    d.thirdBlock = {QStringLiteral("开始:"), TimeText::generalDateTime(shift.from), QStringLiteral("结束:"),
                    shift.to.isValid() ? TimeText::generalDateTime(shift.to) : QStringLiteral("当班中")};
    d.secondBlock = {QStringLiteral("已结算:"),
                     taken.unreadable ? QVariant(QStringLiteral("账目文件无法读取")) : QVariant(int(taken.settled.size())),
                     QStringLiteral("未结算:"), int(taken.open.size())};
    addDayTable(d, taken, receipt.rounding);
    return d;
}

QStringList periodHeadings(AmountDue::Rounding rule, bool goods)
{
    QStringList headings {QStringLiteral("项名称"), QStringLiteral("计时次数"), QStringLiteral("耗时累计(分钟)")};
    if (goods)
        headings << QStringLiteral("机时") << QStringLiteral("商品");
    return headings << AmountDue::label(rule) << QStringLiteral("分钟占比");
}

QStringList periodRow(const PeriodTakings &period, const PeriodTakings::ItemLine &item, bool goods)
{
    QStringList row {item.name, QString::number(item.sessions), TimeText::generalNumber(item.minutes)};
    if (goods)
        row << AmountDue::text(item.due) << AmountDue::text(item.goods);
    return row << AmountDue::text(item.total()) << QString::number(100 * period.share(item), 'f', 1) + u'%';
}

QString periodTotal(const PeriodTakings &period)
{
    return QStringLiteral("合计: %1 项, 计时 %2 次, 耗时累计(分钟): %3, %4%5: %6")
        .arg(period.items.size())
        .arg(period.sessions())
        .arg(TimeText::generalNumber(period.minutes()), parts(withGoods(period), period.due(), period.goods()),
             AmountDue::label(period.rounding), AmountDue::text(period.total()));
}

QString periodText(const PeriodTakings &period)
{
    const QLocale locale;
    const QString first = locale.toString(period.first, QLocale::ShortFormat);
    return period.hourly() ? first : first + QStringLiteral(" - ") + locale.toString(period.last, QLocale::ShortFormat);
}

ReportDocument periodDocument(const TakingsRequest &request, const PeriodTakings &period, bool bPreview,
                              const QImage &chart, const ReceiptSettings &receipt)
{
    ReportDocument d = TimingReports::document(bPreview);
    d.title = periodTitle();
    d.rollWidth = receipt.rollWidthFor(ReceiptSettings::Paper::Period);
    d.fileName = ledgerFileName(request.firstDay(), request.lastDay(), request.readAt);
    d.firstBlock = {QStringLiteral("期间:"), periodText(period)};
    d.secondBlock = {QStringLiteral("计时次数:"), period.sessions(), AmountDue::label(period.rounding) + u':',
                     AmountDue::text(period.total())};
    // Days whose files could not be read are not in the sums, and the paper says how many.
    if (period.unreadable > 0)
        d.secondBlock << QStringLiteral("无法读取:") << QStringLiteral("%1 天的账目").arg(period.unreadable);
    const bool goods = withGoods(period);
    for (const QString &heading : periodHeadings(period.rounding, goods))
        d.headings << heading;
    for (const PeriodTakings::ItemLine &item : period.items)
        for (const QString &text : periodRow(period, item, goods))
            d.cells << text;
    d.cells << QStringLiteral("合计") << QString::number(period.sessions())
            << TimeText::generalNumber(period.minutes());
    if (goods)
        d.cells << AmountDue::text(period.due()) << AmountDue::text(period.goods());
    d.cells << AmountDue::text(period.total()) << (period.minutes() > 0 ? QStringLiteral("100.0%") : QString());
    d.chart = chart;
    return d;
}

} // namespace TakingsReports
