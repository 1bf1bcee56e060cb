#include "commands/LedgerCsv.h"

#include "commands/HistoryLog.h"
#include "report/CsvWriter.h"
#include "timing/AmountDue.h"
#include "timing/DayLedger.h"
#include "timing/TimeText.h"

namespace LedgerCsv {

namespace {
// Date and time together and in one fixed form, so that spreadsheet programs read them as such
// whatever the locale.
QString instant(const QDateTime &at)
{
    return at.isValid() ? at.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}
} // namespace

QStringList headers()
{
    // Each column means one thing, so that a spreadsheet's sum of any of them does: a session's
    // minutes are already in its item's total, and stand in a column of their own.
    return {QStringLiteral("类型"),           QStringLiteral("项名称"),   QStringLiteral("计时方案"),
            QStringLiteral("开始时间"),       QStringLiteral("结束时间"), QStringLiteral("本次耗时(分钟)"),
            QStringLiteral("耗时累计(分钟)"), QStringLiteral("结果"),     QStringLiteral("应收金额"),
            QStringLiteral("移除方式")};
}

QByteArray bytes(const LedgerDay &day)
{
    CsvWriter csv;
    csv.addRow(headers());
    for (const LedgerEntry &e : day.entries) {
        if (e.kind == LedgerEntry::Kind::Session) {
            csv.addRow({QStringLiteral("计时"), CsvWriter::inert(e.name), CsvWriter::inert(e.scheme), instant(e.start),
                        instant(e.end), TimeText::generalNumber(e.minutes), QString(), QString(), QString(),
                        QString()});
        } else {
            csv.addRow({QStringLiteral("移除"), CsvWriter::inert(e.name), CsvWriter::inert(e.scheme), QString(),
                        instant(e.end), QString(), TimeText::generalNumber(e.minutes), TimeText::generalNumber(e.fee),
                        AmountDue::text(e.fee), RemovedItem::howRemoved(e.ended, e.atExit)});
        }
    }
    return csv.bytes();
}

} // namespace LedgerCsv
