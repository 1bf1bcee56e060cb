#pragma once
// The papers of the takings: a day's and a period's, each as its view shows it, and what their
// files are called.

#include "history/TakingsRequest.h"
#include "report/ReportPrinter.h"
#include "timing/DayTakings.h"
#include "timing/PeriodTakings.h"
#include "timing/ReceiptSettings.h"
#include "timing/Shift.h"

#include <QImage>

namespace TakingsReports {

// The papers' titles.
QString dayTitle();
QString periodTitle();
QString shiftTitle();

// The day as the day view shows it: one row per item, settled then open, both totals and the two
// added up, amounts rounded and the paper laid out as receipt says.
ReportDocument dayDocument(const TakingsRequest &request, const DayTakings &day, bool bPreview,
                           const ReceiptSettings &receipt = {});

// A shift's cash-up: who, from when to when, every item settled in it and those still open at the
// hand-over, each with its amount due, the goods apart when any were sold, and the grand total.
ReportDocument shiftDocument(const Shift &shift, const DayTakings &taken, bool bPreview,
                             const ReceiptSettings &receipt = {});

// What every file of the takings of first to last is called, a CSV export as the report's PDF:
// "账目_2026-12-07" for a day gone by, "账目_2026-12-07_2026-12-13" for days, and with the
// minute it was taken at (as TimingReports::fileName) while the days are not over at now.
QString ledgerFileName(const QDate &first, const QDate &last, const QDateTime &now);
// Whether goods were sold: only then do the papers and views show the machines' fees and the
// goods apart, so that a day without goods reads as it always did.
bool withGoods(const DayTakings &day);
bool withGoods(const PeriodTakings &period);
// The day's columns and an item's row in them, in the day view as in the day's report; with
// goods, 机时 and 商品 stand before the amount due, which holds both.
QStringList dayHeadings(AmountDue::Rounding rule = AmountDue::Rounding::Fen, bool goods = false);
QStringList dayRow(const DayTakings::Line &line, AmountDue::Rounding rule = AmountDue::Rounding::Fen,
                   bool goods = false);
// "已结算: 2 项, 耗时累计(分钟): 121, 应收金额: 10.09"; with goods, "..., 机时: 10.09, 商品: 7.00,
// 应收金额: 17.09".
QString dayTotal(const QString &what, const QList<DayTakings::Line> &lines,
                 AmountDue::Rounding rule = AmountDue::Rounding::Fen, bool goods = false);

// The period's items, their totals and, when given, its chart above them; its amounts are rounded
// as the period was read with, the paper laid out as receipt says.
ReportDocument periodDocument(const TakingsRequest &request, const PeriodTakings &period, bool bPreview,
                              const QImage &chart = {}, const ReceiptSettings &receipt = {});
// The period's columns and an item's row in them, in the period view as in its report.
QStringList periodHeadings(AmountDue::Rounding rule = AmountDue::Rounding::Fen, bool goods = false);
QStringList periodRow(const PeriodTakings &period, const PeriodTakings::ItemLine &item, bool goods = false);
// "合计: 30 项, 计时 9300 次, 耗时累计(分钟): 825000, 应收金额: 68750.00"
QString periodTotal(const PeriodTakings &period);
// "2026/12/1 - 2026/12/7", in the operator's date form; one date for a day.
QString periodText(const PeriodTakings &period);

} // namespace TakingsReports
