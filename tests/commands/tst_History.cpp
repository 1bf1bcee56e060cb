// The log of removed items, its window and the reports of removed items.

#include "FakeWallClock.h"
#include "RecordingReportPrinter.h"
#include "commands/HistoryLog.h"
#include "commands/HistoryWindow.h"
#include "commands/RemovedItemReport.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// Two finished sessions of 20 and 15 minutes; the item is then stopped at 11:00.
RemovedItem endedItem(ModClock &state, FakeWallClock &clock, const QString &name)
{
    const int pos = state.AddItem({name, QStringLiteral("5*C/60"), 0, true}, clock.now());
    clock.advanceSecs(20 * 60);
    TimingOperations::EndTimer(state, clock.now());
    clock.advanceSecs(5 * 60);
    TimingOperations::StartTimer(state, clock.now());
    clock.advanceSecs(15 * 60);
    TimingOperations::EndTimer(state, clock.now());
    return HistoryLog::Snapshot(state, pos, clock.now(), true);
}

// Makes a recording component and tells the test where it is.
TimingReports::PrinterFactory recordingPrinter(RecordingReportPrinter *&printer)
{
    return [&printer] {
        auto p = std::make_unique<RecordingReportPrinter>();
        printer = p.get();
        return std::unique_ptr<ReportPrinter>(std::move(p));
    };
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

    void snapshotKeepsTheItemAsItStood()
    {
        ModClock state;
        FakeWallClock clock;
        const RemovedItem removed = endedItem(state, clock, QStringLiteral("PC1"));
        QCOMPARE(removed.item.name, QStringLiteral("PC1"));
        QCOMPARE(removed.item.scheme, QStringLiteral("5*C/60"));
        QCOMPARE(removed.item.sessionCount(), 2);
        QCOMPARE(removed.minutes(), 35.0);
        QCOMPARE(removed.item.minutesShown, 35.0);
        QCOMPARE(TimeText::GeneralNumber(removed.item.fee), QStringLiteral("2.91666666666667"));
        QCOMPARE(removed.removedAt, clock.now());
        QCOMPARE(removed.item.record.cTime.Count(), 2);
    }

    void snapshotOfARunningItemCountsTheSessionInProgress()
    {
        ModClock state;
        FakeWallClock clock;
        state.AddItem({QStringLiteral("PC1"), QStringLiteral("5*C/60"), 12.5, true}, clock.now());
        clock.advanceSecs(30 * 60 + 40);
        const RemovedItem removed = HistoryLog::Snapshot(state, 1, clock.now(), false);
        QCOMPARE(removed.minutes(), 42.5);
        QCOMPARE(removed.item.record.cEnd.Count(), 0);
        QVERIFY(!removed.ended);
    }

    void newestFirst()
    {
        HistoryLog log;
        int signals_ = 0;
        connect(&log, &HistoryLog::recorded, this, [&] { ++signals_; });
        for (const char *name : {"A", "B", "C"}) {
            RemovedItem removed;
            removed.item.name = QString::fromLatin1(name);
            log.Record(removed);
        }
        QCOMPARE(signals_, 3);
        QCOMPARE(log.Count(), 3);
        QCOMPARE(log.Newest(0).item.name, QStringLiteral("C"));
        QCOMPARE(log.Newest(2).item.name, QStringLiteral("A"));
    }

    void removedItemReportShowsOnlyThatItem()
    {
        ModClock state;
        FakeWallClock clock;
        const RemovedItem first = endedItem(state, clock, QStringLiteral("PC1"));
        const RemovedItem second = endedItem(state, clock, QStringLiteral("PC2"));
        RecordingReportPrinter *printer = nullptr;
        RemovedItemReport report(clock, recordingPrinter(printer));
        report.Show(first, true);
        report.Show(second, false);
        QCOMPARE(report.state().lngItems, 1);
        QCOMPARE(report.state().lvwMain.Count(), 1);
        QCOMPARE(printer->last().firstBlock, (QVariantList {"名称:", "PC2", "状态:", "已结束计时"}));
        QCOMPARE(printer->last().secondBlock,
                 (QVariantList {"计时次数:2", "合计耗时:35", "结果:", "2.91666666666667"}));
        QCOMPARE(printer->last().cells.size(), 6);
        QCOMPARE(printer->last().cells.at(2).toDouble(), 20.0);
        QCOMPARE(printer->last().cells.at(5).toDouble(), 15.0);
        QVERIFY(!printer->last().preview);
    }

    void windowListsNewestFirstAndPreviewsTheSelectedEntry()
    {
        ModClock state;
        FakeWallClock clock;
        HistoryLog log;
        RecordingReportPrinter *printer = nullptr;
        HistoryWindow window(log, clock, recordingPrinter(printer));
        QCOMPARE(window.entries()->topLevelItemCount(), 0);
        QCOMPARE(window.SelectedEntry(), -1);
        window.PreviewSelected();
        QVERIFY(!printer);

        log.Record(endedItem(state, clock, QStringLiteral("PC1")));
        RemovedItem running = HistoryLog::Snapshot(state, 1, clock.now(), false);
        running.item.name = QStringLiteral("PC9");
        log.Record(running);

        QTreeWidget *entries = window.entries();
        QCOMPARE(entries->topLevelItemCount(), 2);
        QCOMPARE(entries->columnCount(), HistoryWindow::ColumnHeaders().size());
        QCOMPARE(entries->topLevelItem(0)->text(0), QStringLiteral("PC9"));
        QCOMPARE(entries->topLevelItem(0)->text(6), QStringLiteral("仅移除"));
        QCOMPARE(entries->topLevelItem(1)->text(0), QStringLiteral("PC1"));
        QCOMPARE(entries->topLevelItem(1)->text(3), QStringLiteral("35"));
        QCOMPARE(entries->topLevelItem(1)->text(6), QStringLiteral("结束并打印"));
        QCOMPARE(window.SelectedEntry(), 0);

        window.SelectEntry(1);
        window.PreviewSelected();
        QVERIFY(printer);
        QCOMPARE(printer->last().firstBlock.value(1).toString(), QStringLiteral("PC1"));
        QVERIFY(printer->last().preview);
    }
};

QTEST_MAIN(TestHistory)
#include "tst_History.moc"
