#include "commands/LedgerCsv.h"

#include "commands/HistoryLog.h"
#include "report/CsvWriter.h"
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

QStringList Headers()
{
    return {QStringLiteral("类型"),     QStringLiteral("项名称"),   QStringLiteral("计时方案"),
            QStringLiteral("开始时间"), QStringLiteral("结束时间"), QStringLiteral("耗时(分钟)"),
            QStringLiteral("结果"),     QStringLiteral("移除方式")};
}

QByteArray Bytes(const LedgerDay &day)
{
    CsvWriter csv;
    csv.AddRow(Headers());
    for (const LedgerEntry &e : day.entries) {
        if (e.kind == LedgerEntry::Kind::Session) {
            csv.AddRow({QStringLiteral("计时"), CsvWriter::Inert(e.name), CsvWriter::Inert(e.scheme), instant(e.start),
                        instant(e.end), TimeText::GeneralNumber(e.minutes), QString(), QString()});
        } else {
            csv.AddRow({QStringLiteral("移除"), CsvWriter::Inert(e.name), CsvWriter::Inert(e.scheme), QString(),
                        instant(e.end), TimeText::GeneralNumber(e.minutes), TimeText::GeneralNumber(e.fee),
                        RemovedItem::HowRemoved(e.ended, e.atExit)});
        }
    }
    return csv.Bytes();
}

} // namespace LedgerCsv
