#include "history/LedgerCsv.h"

#include "commands/HistoryLog.h"

#include "history/BackgroundRead.h"
#include "history/TakingsReports.h"
#include "report/CsvWriter.h"
#include "report/ExportFolder.h"
#include "report/SaveFileAsker.h"
#include "timing/AmountDue.h"
#include "timing/DayLedger.h"
#include "timing/DurableFile.h"
#include "timing/TimeText.h"

#include <QDir>
#include <QEventLoop>
#include <QPointer>

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

void addRow(CsvWriter &csv, const LedgerEntry &e)
{
    // A shift's lines carry the operator where an item's name stands and no amount: the sums of
    // the columns stay the takings.
    if (e.kind == LedgerEntry::Kind::ShiftBegan || e.kind == LedgerEntry::Kind::HandedOver) {
        const bool began = e.kind == LedgerEntry::Kind::ShiftBegan;
        csv.addRow({began ? QStringLiteral("上班") : QStringLiteral("交班"), CsvWriter::inert(e.name), QString(),
                    instant(began ? e.end : e.start), began ? QString() : instant(e.end), QString(), QString(),
                    QString(), QString(), QString()});
    } else if (e.kind == LedgerEntry::Kind::Session) {
        csv.addRow({QStringLiteral("计时"), CsvWriter::inert(e.name), CsvWriter::inert(e.scheme), instant(e.start),
                    instant(e.end), TimeText::generalNumber(e.minutes), QString(), QString(), QString(), QString()});
    } else if (e.kind == LedgerEntry::Kind::Goods) {
        // The goods where the scheme stands on a time row, their amount in the amount due: the
        // column's sum is still the day's takings, and the type tells them from the machines' fees.
        csv.addRow({QStringLiteral("商品"), CsvWriter::inert(e.name),
                    CsvWriter::inert(QStringLiteral("%1 %2 × %3")
                                         .arg(e.goods.name)
                                         .arg(e.goods.quantity)
                                         .arg(AmountDue::text(e.goods.price))),
                    QString(), instant(e.end), QString(), QString(), QString(), AmountDue::text(e.fee), QString()});
    } else {
        csv.addRow({QStringLiteral("移除"), CsvWriter::inert(e.name), CsvWriter::inert(e.scheme), QString(),
                    instant(e.end), QString(), TimeText::generalNumber(e.minutes), TimeText::generalNumber(e.fee),
                    AmountDue::text(e.fee), RemovedItem::howRemoved(e.ended, e.atExit)});
    }
}

// An item still on the list, with its bill as the view shows it; its state where a settled one
// says how it left, so that a filter on the type or that column tells the open ones apart.
void addOpenRow(CsvWriter &csv, const DayTakings::Line &line)
{
    const QStringList shown = TakingsReports::dayRow(line);
    csv.addRow({QStringLiteral("未结算"), CsvWriter::inert(line.name), CsvWriter::inert(line.scheme), QString(),
                QString(), QString(), TimeText::generalNumber(line.minutes), TimeText::generalNumber(line.fee),
                AmountDue::text(line.fee), shown.value(2)});
    if (line.goods != 0)
        csv.addRow({QStringLiteral("未结算商品"), CsvWriter::inert(line.name), QString(), QString(), QString(),
                    QString(), QString(), QString(), AmountDue::text(line.goods), shown.value(2)});
}
} // namespace

Written write(QIODevice &out, const DayLedger &ledger, const Span &span, LedgerReadControl &control)
{
    Written written;
    CsvWriter csv;
    csv.addRow(headers());
    bool refused = false;
    const auto pass = [&out, &csv, &refused] {
        const QByteArray bytes = csv.take();
        refused = refused || out.write(bytes) != bytes.size();
    };
    constexpr qsizetype kPiece = 64 * 1024;
    const QDate last = span.request.lastDay();
    for (QDate day = span.request.firstDay(); day.isValid() && day <= last && !refused; day = day.addDays(1)) {
        const LedgerScan scan = ledger.scan(
            day, span.request.readAt,
            [&](LedgerEntry &&e) {
                addRow(csv, e);
                if (csv.bytes().size() >= kPiece)
                    pass();
            },
            &control);
        if (scan.cancelled)
            return written;
        if (scan.unreadable)
            ++written.unreadable;
        control.daysRead.fetch_add(1, std::memory_order_relaxed);
    }
    for (const DayTakings::Line &line : span.open)
        addOpenRow(csv, line);
    pass();
    written.whole = !refused && !control.cancel.load();
    return written;
}

std::optional<QString> save(SaveFileAsker &asker, ExportFolder &folder, const QString &fileName,
                            BackgroundRead &reading, const DayLedger &ledger, const Span &span, int *unreadable)
{
    const QString path = asker.fileName(kCsv, folder.suggest(fileName + QStringLiteral(".csv")));
    if (path.isEmpty())
        return QString();
    // Read when written, not when the view was filled: the file may have grown since. The window
    // waits in an event loop of its own, so that it answers, repaints and can cancel meanwhile.
    struct Outcome {
        bool written = false;
        Written lines;
        bool finished = false;
    };
    const auto outcome = std::make_shared<Outcome>();
    QEventLoop loop;
    const auto waiting = std::make_shared<QPointer<QEventLoop>>(&loop);
    const QPointer<BackgroundRead> alive(&reading);
    QObject::connect(&reading, &BackgroundRead::cancelled, &loop, &QEventLoop::quit);
    reading.start(span.request.dayCount(), [=, &ledger](LedgerReadControl &control) {
        outcome->written = DurableFile::replace(path, [&](QIODevice &file) {
            outcome->lines = write(file, ledger, span, control);
            return outcome->lines.whole;
        });
        return std::function<void()>([outcome, waiting] {
            outcome->finished = true;
            if (QEventLoop *l = *waiting)
                l->quit();
        });
    });
    if (!outcome->finished)
        loop.exec();
    if (!outcome->finished) {
        // Cancelled, or the program is ending: nothing is written.
        if (alive)
            reading.cancel();
        return QString();
    }
    if (unreadable)
        *unreadable = outcome->lines.unreadable;
    if (!outcome->written) {
        asker.saveFailed(kCsv, path);
        return std::nullopt;
    }
    folder.remember(path);
    return path;
}

QString savedText(const std::optional<QString> &saved)
{
    if (!saved)
        return QStringLiteral("导出失败。");
    return saved->isEmpty() ? QString() : QStringLiteral("已导出到 ") + QDir::toNativeSeparators(*saved);
}

} // namespace LedgerCsv
