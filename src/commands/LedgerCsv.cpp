#include "commands/LedgerCsv.h"

#include "commands/HistoryLog.h"
#include "report/CsvWriter.h"
#include "report/SaveFileAsker.h"
#include "timing/AmountDue.h"
#include "timing/DayLedger.h"
#include "timing/DurableFile.h"
#include "timing/TimeText.h"

#include <QDir>
#include <QStandardPaths>

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

namespace {
const SaveFileAsker::Kind kCsv {QStringLiteral("导出账目"), QStringLiteral("CSV 文件"), QStringLiteral("csv"),
                                QStringLiteral("无法写入导出文件:\n"), QMessageBox::Critical};

void addRows(CsvWriter &csv, const LedgerDay &day)
{
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
}
} // namespace

QByteArray bytes(const LedgerDay &day)
{
    CsvWriter csv;
    csv.addRow(headers());
    addRows(csv, day);
    return csv.bytes();
}

QByteArray bytes(const DayLedger &ledger, const QDate &first, const QDate &last, const QDateTime &readAt,
                 int *unreadable)
{
    CsvWriter csv;
    csv.addRow(headers());
    for (QDate day = first; day.isValid() && day <= last; day = day.addDays(1)) {
        const LedgerDay read = ledger.read(day, readAt);
        addRows(csv, read);
        if (unreadable && read.unreadable)
            ++*unreadable;
    }
    return csv.bytes();
}

std::optional<QString> save(SaveFileAsker &asker, const QString &fileName, const std::function<QByteArray()> &content)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString path = asker.fileName(kCsv, QDir(folder).filePath(fileName));
    if (path.isEmpty())
        return QString();
    // Read when written, not when the view was filled: the file may have grown since.
    if (!DurableFile::replace(path, content())) {
        asker.saveFailed(kCsv, path);
        return std::nullopt;
    }
    return path;
}

QString savedText(const std::optional<QString> &saved)
{
    if (!saved)
        return QStringLiteral("导出失败。");
    return saved->isEmpty() ? QString() : QStringLiteral("已导出到 ") + QDir::toNativeSeparators(*saved);
}

} // namespace LedgerCsv
