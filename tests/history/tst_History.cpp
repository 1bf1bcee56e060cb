// The log of removed items, its window and the reports of removed items.

#include "FakeWallClock.h"
#include "RecordingReportPrinter.h"
#include "commands/HistoryLog.h"
#include "history/HistoryWindow.h"
#include "history/LedgerCsv.h"
#include "history/LedgerDayView.h"
#include "history/LedgerPeriodView.h"
#include "history/PeriodChart.h"
#include "history/RemovedItemReport.h"
#include "history/TakingsReports.h"
#include "report/SaveFileAsker.h"
#include "timing/DayLedger.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <QBuffer>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

// Two finished sessions of 20 and 15 minutes; the item is then stopped at 11:00.
RemovedItem endedItem(ModClock &state, FakeWallClock &clock, const QString &name)
{
    const int pos = state.add({name, QStringLiteral("5*C/60"), 0, true}, clock.now());
    clock.advanceSecs(20 * 60);
    state.endTiming(pos, clock.now());
    clock.advanceSecs(5 * 60);
    state.startTiming(pos, clock.now());
    clock.advanceSecs(15 * 60);
    state.endTiming(pos, clock.now());
    return HistoryLog::snapshot(state.lvwMain.at(pos), clock.now(), true, state.tariff);
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

// Answers the file question from the test and keeps the failures it was told.
struct ScriptedExportAsker : SaveFileAsker {
    QString answer;
    QStringList failed;
    QString suggested;
    QString fileName(const Kind &, const QString &suggestion) override
    {
        suggested = suggestion;
        return answer;
    }
    void saveFailed(const Kind &, const QString &path) override { failed << path; }
};

// Reads CSV the way spreadsheet programs do: quoted fields may hold commas, doubled quotes and
// line breaks; records end with CR LF.
QList<QStringList> readCsv(const QString &text)
{
    QList<QStringList> rows {{}};
    QString field;
    bool quoted = false;
    const auto next = [&text](qsizetype i) { return i < text.size() ? text[i] : QChar(); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && next(i + 1) == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            rows.last() << std::exchange(field, QString());
        } else if (c == u'\r' && next(i + 1) == u'\n') {
            rows.last() << std::exchange(field, QString());
            rows.append(QStringList());
            ++i;
        } else {
            field += c;
        }
    }
    if (rows.last().isEmpty() && field.isEmpty())
        rows.removeLast();
    return rows;
}

// The views read the ledgers on a thread of their own: their figures are there once the read landed.
template <typename View> bool readDone(View *view)
{
    return QTest::qWaitFor([view] { return !view->reading(); });
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

    // A day with goods shows them apart from the machines' fees and together, on paper as in the
    // export, where each goods line is a row of its own and the amounts still add up to the day.
    void goodsStandApartFromTheMachinesFees()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        const QDate day(2026, 12, 7);
        const QDateTime left(day, QTime(10, 30));
        ledger.left(
            ItemBill {
                QStringLiteral("PC1"), QStringLiteral("C/10"), 30, 3, {}, {}, {}, {{QStringLiteral("可乐"), 3.5, 2}}},
            LeaveHow::Ended, left);
        const TakingsRequest request = TakingsRequest::days(day, day, left);
        const ReportDocument d = TakingsReports::dayDocument(request, DayTakings::settledOf(ledger, day, {}), true);
        QCOMPARE(d.headings.mid(5), (QVariantList {"机时", "商品", "应收金额"}));
        QCOMPARE(d.cells.mid(5, 3), (QVariantList {"3.00", "7.00", "10.00"}));
        QBuffer out;
        QVERIFY(out.open(QIODevice::WriteOnly));
        LedgerReadControl control;
        QVERIFY(LedgerCsv::write(out, ledger, {request, {}}, control).whole);
        const QList<QStringList> rows = readCsv(QString::fromUtf8(out.data().mid(3)));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[2].mid(0, 3), (QStringList {"商品", "PC1", "可乐 2 × 3.50"}));
        QCOMPARE(rows[1].value(8).toDouble() + rows[2].value(8).toDouble(), 10.0);
    }

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
        QCOMPARE(TimeText::generalNumber(removed.item.fee), QStringLiteral("2.91666666666667"));
        QCOMPARE(removed.removedAt, clock.now());
        QCOMPARE(removed.item.record.cTime.count(), 2);
    }

    void snapshotOfARunningItemCountsTheSessionInProgress()
    {
        ModClock state;
        FakeWallClock clock;
        state.add({QStringLiteral("PC1"), QStringLiteral("5*C/60"), 12.5, true}, clock.now());
        clock.advanceSecs(30 * 60 + 40);
        const RemovedItem removed = HistoryLog::snapshot(state.lvwMain.at(1), clock.now(), false, state.tariff);
        QCOMPARE(removed.minutes(), 42.5);
        QCOMPARE(removed.item.record.cEnd.count(), 0);
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
            log.record(removed);
        }
        QCOMPARE(signals_, 3);
        QCOMPARE(log.count(), 3);
        QCOMPARE(log.newest(0).item.name, QStringLiteral("C"));
        QCOMPARE(log.newest(2).item.name, QStringLiteral("A"));
    }

    void removedItemReportShowsOnlyThatItem()
    {
        ModClock state;
        FakeWallClock clock;
        const RemovedItem first = endedItem(state, clock, QStringLiteral("PC1"));
        const RemovedItem second = endedItem(state, clock, QStringLiteral("PC2"));
        RecordingReportPrinter *printer = nullptr;
        RemovedItemReport report(clock, recordingPrinter(printer));
        report.show(first, true);
        report.show(second, false);
        QCOMPARE(printer->documents.size(), 2);
        QCOMPARE(printer->last().firstBlock, (QVariantList {"名称:", "PC2", "状态:", "已结束计时"}));
        QCOMPARE(printer->last().secondBlock,
                 (QVariantList {"计时次数:2", "合计耗时:35", "结果:", "2.91666666666667", "应收金额:", "2.92"}));
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
        QCOMPARE(window.selectedEntry(), -1);
        window.previewSelected();
        QVERIFY(!printer);

        log.record(endedItem(state, clock, QStringLiteral("PC1")));
        RemovedItem running = HistoryLog::snapshot(state.lvwMain.at(1), clock.now(), false, state.tariff);
        running.item.name = QStringLiteral("PC9");
        log.record(running);

        QTreeWidget *entries = window.entries();
        QCOMPARE(entries->topLevelItemCount(), 2);
        QCOMPARE(entries->columnCount(), HistoryWindow::columnHeaders().size());
        QCOMPARE(entries->topLevelItem(0)->text(0), QStringLiteral("PC9"));
        QCOMPARE(entries->topLevelItem(0)->text(6), QStringLiteral("仅移除"));
        QCOMPARE(entries->topLevelItem(1)->text(0), QStringLiteral("PC1"));
        QCOMPARE(entries->topLevelItem(1)->text(3), QStringLiteral("35"));
        QCOMPARE(entries->topLevelItem(1)->text(6), QStringLiteral("结束并打印"));
        QCOMPARE(window.selectedEntry(), 0);

        window.selectEntry(1);
        window.previewSelected();
        QVERIFY(printer);
        QCOMPARE(printer->last().firstBlock.value(1).toString(), QStringLiteral("PC1"));
        QVERIFY(printer->last().preview);
    }

    // The day view lists what left the list on the picked day and, today, what is still on it,
    // adds up both, prints the day, and exports the day's ledger as CSV that reads back field for
    // field, odd names included, with a column for each kind of number.
    void dayViewTotalsTheDayAndExportsItsLedger()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.filePath(QStringLiteral("ledger")));
        FakeWallClock clock(QDateTime(QDate(2026, 12, 7), QTime(18, 0)));
        const QDate today = clock.now().date();
        const QString odd = QStringLiteral("PC, \"VIP\" 1");
        ledger.left(QStringLiteral("PC9"), QStringLiteral("5*C/60"), true, 60, 5,
                    QDateTime(today.addDays(-1), QTime(20, 0)));
        ledger.booked(odd, QStringLiteral("5*C/60"), QDateTime(today, QTime(10, 0)), QDateTime(today, QTime(10, 30)),
                      30);
        ledger.left(odd, QStringLiteral("5*C/60"), true, 30, 2.5, QDateTime(today, QTime(10, 30)));

        ModClock state;
        state.add({QStringLiteral("PC3"), QStringLiteral("5*C/60"), 0, true}, clock.now().addSecs(-30 * 60));
        state.add({QStringLiteral("PC4"), QStringLiteral("5*C/60"), 12, false}, clock.now());

        HistoryLog log;
        RecordingReportPrinter *printer = nullptr;
        HistoryWindow window(log, clock, recordingPrinter(printer));
        auto *asker = new ScriptedExportAsker;
        auto *view = new LedgerDayView(ledger, &state, clock, std::unique_ptr<SaveFileAsker>(asker));
        window.addDayView(view);
        window.showPage(1);
        QVERIFY(readDone(view));
        QCOMPARE(view->day(), today);
        QCOMPARE(view->entries()->topLevelItem(0)->childCount(), 1);

        // An item leaves the list while the window is open: the view follows.
        ledger.left(QStringLiteral("=PC2"), QStringLiteral("-INT(-C/30)*2.5"), false, 91, 7.58333333333333,
                    QDateTime(today, QTime(11, 31)));
        log.record(RemovedItem {});
        QVERIFY(readDone(view));
        QTreeWidgetItem *settled = view->entries()->topLevelItem(0);
        QCOMPARE(settled->childCount(), 2);
        QCOMPARE(settled->child(1)->text(5), QStringLiteral("7.58"));
        QCOMPARE(view->entries()->topLevelItem(1)->child(0)->text(2), QStringLiteral("计时中"));
        QCOMPARE(view->total()->text(),
                 QStringLiteral("已结算: 2 项, 耗时累计(分钟): 121, 应收金额: 10.08\n"
                                "未结算: 2 项, 耗时累计(分钟): 42, 应收金额: 3.50"));
        // The day's report: a row per item, settled then open, a row for each total and one for both.
        window.previewSelected();
        QVERIFY(readDone(view));
        QCOMPARE(printer->last().title, QStringLiteral("日账目"));
        QCOMPARE(printer->last().cells.size(), 7 * 6);
        QCOMPARE(printer->last().cells.mid(30),
                 (QVariantList {"未结算合计", "", "", "", "42", "3.50", //
                                "合计", "", "", "", "163", "13.58"}));

        view->picker()->setDate(today.addDays(-1));
        QVERIFY(readDone(view));
        QCOMPARE(view->total()->text(), QStringLiteral("已结算: 1 项, 耗时累计(分钟): 60, 应收金额: 5.00"));
        QCOMPARE(view->entries()->topLevelItemCount(), 1); // nothing was open on a past day
        view->picker()->setDate(today);
        QVERIFY(readDone(view));

        asker->answer = folder.filePath(QStringLiteral("day.csv"));
        QVERIFY(view->exportDay());
        QFile file(asker->answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.contains("\"PC, \"\"VIP\"\" 1\""));
        const QList<QStringList> rows = readCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows[0], LedgerCsv::headers());
        QCOMPARE(rows[1],
                 (QStringList {QStringLiteral("计时"), odd, QStringLiteral("5*C/60"),
                               QStringLiteral("2026-12-07 10:00:00"), QStringLiteral("2026-12-07 10:30:00"),
                               QStringLiteral("30"), QString(), QString(), QString(), QString()}));
        QCOMPARE(rows[2],
                 (QStringList {QStringLiteral("移除"), odd, QStringLiteral("5*C/60"), QString(),
                               QStringLiteral("2026-12-07 10:30:00"), QString(), QStringLiteral("30"),
                               QStringLiteral("2.5"), QStringLiteral("2.50"), QStringLiteral("结束并打印")}));
        QCOMPARE(rows[3].value(1), QStringLiteral("'=PC2"));
        QCOMPARE(rows[3].value(2), QStringLiteral("'-INT(-C/30)*2.5"));
        QCOMPARE(rows[3].mid(8), (QStringList {QStringLiteral("7.58"), QStringLiteral("仅移除")}));
        // What the view shows still open is in the file, marked so, and the file adds up to the view.
        QCOMPARE(rows[4].mid(0, 2), (QStringList {QStringLiteral("未结算"), QStringLiteral("PC3")}));
        QCOMPARE(rows[4].mid(6), (QStringList {"30", "2.5", "2.50", "计时中"}));
        QCOMPARE(rows[5].value(9), QStringLiteral("已停止"));
        double due = 0;
        for (const QStringList &row : rows.mid(1))
            due += row.value(8).toDouble();
        QCOMPARE(QString::number(due, 'f', 2), QStringLiteral("13.58")); // 10.08 settled, 3.50 open
        // The file is called as the day's PDF is.
        QCOMPARE(QFileInfo(asker->suggested).fileName(), printer->last().fileName + QStringLiteral(".csv"));
        QVERIFY(asker->failed.isEmpty());

        // A file that cannot be written is told, never reported as exported.
        asker->answer = folder.filePath(QStringLiteral("day.csv/inside.csv"));
        QVERIFY(!view->exportDay());
        QCOMPARE(asker->failed, QStringList {asker->answer});
    }

    // The period view opens on this week, steps by PageUp and PageDown, sorts its items by their
    // figures, prints with its totals and exports every line of its days.
    void periodViewShowsTheWeekAndStepsByKeys()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.filePath(QStringLiteral("ledger")));
        const QDate monday(2026, 12, 7);
        FakeWallClock clock(QDateTime(monday.addDays(2), QTime(18, 0)));
        ledger.left(QStringLiteral("PC9"), QStringLiteral("C"), true, 60, 5,
                    QDateTime(monday.addDays(-1), QTime(20, 0)));
        ledger.booked(QStringLiteral("PC2"), QStringLiteral("C"), QDateTime(monday, QTime(9, 0)),
                      QDateTime(monday, QTime(10, 10)), 70);
        ledger.left(QStringLiteral("PC2"), QStringLiteral("C"), true, 70, 5.8333, QDateTime(monday, QTime(10, 10)));
        ledger.left(QStringLiteral("PC10"), QStringLiteral("C"), true, 60, 10,
                    QDateTime(monday.addDays(1), QTime(9, 0)));

        HistoryLog log;
        RecordingReportPrinter *printer = nullptr;
        HistoryWindow window(log, clock, recordingPrinter(printer));
        auto *asker = new ScriptedExportAsker;
        auto *view = new LedgerPeriodView(ledger, clock, std::unique_ptr<SaveFileAsker>(asker));
        window.addPeriodView(view);
        window.showPage(1); // the second page here: no day view
        window.show();
        QVERIFY(readDone(view));
        QCOMPARE(view->first(), monday);
        QCOMPARE(view->last(), monday.addDays(6));
        QCOMPARE(view->total()->text().section(QStringLiteral("  "), 1),
                 QStringLiteral("合计: 2 项, 计时 1 次, 耗时累计(分钟): 130, 应收金额: 15.83"));
        view->itemTable()->sortByColumn(3, Qt::DescendingOrder);
        QCOMPARE(view->items()->item(0, 0)->text(), QStringLiteral("PC10"));
        QCOMPARE(view->items()->item(1, 4)->text(), QStringLiteral("53.8%"));
        QCOMPARE(view->busyHours()->item(9, 1)->text(), QStringLiteral("60"));

        window.previewSelected();
        QVERIFY(readDone(view));
        QCOMPARE(printer->last().cells.size(), 3 * 5);
        QVERIFY(!printer->last().chart.isNull());

        asker->answer = folder.filePath(QStringLiteral("week.csv"));
        QVERIFY(view->exportPeriod());
        QFile file(asker->answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = readCsv(QString::fromUtf8(file.readAll().mid(3)));
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[3].value(1), QStringLiteral("PC10"));

        QVERIFY(QTest::qWaitForWindowActive(&window));
        view->itemTable()->setFocus();
        QTest::keyClick(view->itemTable(), Qt::Key_PageUp);
        QVERIFY(readDone(view));
        QCOMPARE(view->first(), monday.addDays(-7));
        QCOMPARE(view->items()->rowCount(), 1);
        // From the tab bar too, where choosing the page with the keys leaves the focus.
        QTabBar *tabs = window.findChild<QTabBar *>();
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_PageDown);
        QVERIFY(readDone(view));
        QCOMPARE(view->first(), monday);
        // Another kind of period holds the day looked at: a week back from Wednesday is 12/2, whose
        // month is December, not the November of that week's Monday; and that month holds today.
        QTest::keyClick(tabs, Qt::Key_PageUp);
        QVERIFY(readDone(view));
        auto *kind = view->findChild<QComboBox *>(QStringLiteral("cboPeriod"));
        for (const auto &[to, first] : {std::pair {LedgerPeriodView::Month, QDate(2026, 12, 1)}, {LedgerPeriodView::Week, monday}}) {
            kind->setCurrentIndex(to);
            QVERIFY(readDone(view));
            QCOMPARE(view->first(), first);
        }
        // Shown again next week, the view left on this week moves on with the date.
        window.hide();
        clock.advanceSecs(7 * 24 * 3600);
        window.show();
        QVERIFY(readDone(view));
        QCOMPARE(view->first(), monday.addDays(7));
        view->showPeriod(LedgerPeriodView::Month, monday);
        QVERIFY(readDone(view));
        QCOMPARE(view->takings().buckets.size(), 31);
        QCOMPARE(view->items()->rowCount(), 3);

        // A read the operator stops with Esc shows nothing of it, and the window stays open.
        view->refresh();
        QVERIFY(view->reading()); // the call returned before the files were read
        QTest::keyClick(view->itemTable(), Qt::Key_Escape);
        QVERIFY(!view->reading() && window.isVisible());
        QCOMPARE(view->items()->rowCount(), 0);
        QVERIFY(view->total()->text().contains(QStringLiteral("已取消读取")));
    }

    // Ledgers that are there but cannot be read (the folder is a file here, which fails for root
    // as well) are told in both views and on paper, never shown as days without takings.
    void ledgersThatCannotBeReadAreTold()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("ledger"));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        DayLedger ledger(path);
        FakeWallClock clock(QDateTime(QDate(2026, 12, 9), QTime(18, 0)));
        HistoryLog log;
        RecordingReportPrinter *printer = nullptr;
        HistoryWindow window(log, clock, recordingPrinter(printer));
        auto *day = new LedgerDayView(ledger, nullptr, clock, std::make_unique<ScriptedExportAsker>());
        auto *period = new LedgerPeriodView(ledger, clock, std::make_unique<ScriptedExportAsker>());
        window.addDayView(day);
        window.addPeriodView(period);
        window.showPage(1);
        window.show();
        window.previewSelected();
        QVERIFY(readDone(day));
        QVERIFY(day->total()->text().contains(QStringLiteral("当日的账目文件无法读取")));
        QCOMPARE(printer->last().secondBlock.value(1).toString(), QStringLiteral("账目文件无法读取"));
        window.showPage(2);
        window.previewSelected();
        QVERIFY(readDone(period));
        QVERIFY(period->total()->text().contains(QStringLiteral("有7天的账目文件无法读取")));
        QVERIFY(printer->last().secondBlock.contains(QStringLiteral("7 天的账目")));
    }

    // In 自定 each end is typed on its own: typing one never moves the other, and a range that
    // ends before it starts is refused with a word rather than read.
    void customRangeEndsAreTypedOnTheirOwn_data()
    {
        QTest::addColumn<bool>("startFirst");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QDate>("first"); // the period shown at the end; invalid: still 11/1 - 11/30
        QTest::addColumn<QDate>("last");
        QTest::newRow("start past the end, then the end")
            << true << QStringLiteral("2026/12/3") << QStringLiteral("2026/12/8") << QDate(2026, 12, 3)
            << QDate(2026, 12, 8);
        QTest::newRow("end, then start") << false << QStringLiteral("2026/12/3") << QStringLiteral("2026/12/8")
                                         << QDate(2026, 12, 3) << QDate(2026, 12, 8);
        QTest::newRow("end before start")
            << false << QStringLiteral("2026/11/5") << QStringLiteral("2026/10/8") << QDate() << QDate();
    }
    void customRangeEndsAreTypedOnTheirOwn()
    {
        QFETCH(bool, startFirst);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QTemporaryDir folder;
        DayLedger ledger(folder.filePath(QStringLiteral("ledger")));
        FakeWallClock clock(QDateTime(QDate(2026, 12, 9), QTime(18, 0)));
        LedgerPeriodView view(ledger, clock, std::make_unique<ScriptedExportAsker>());
        view.show();
        view.showPeriod(LedgerPeriodView::Range, QDate(2026, 11, 1), QDate(2026, 11, 30));
        QVERIFY(readDone(&view));
        const auto type = [](QDateEdit *picker, const QString &date) {
            picker->setFocus();
            picker->selectAll();
            QTest::keyClicks(picker, date);
            QTest::keyClick(picker, Qt::Key_Return);
        };
        QDateEdit *picked = startFirst ? view.fromPicker() : view.toPicker();
        QDateEdit *other = startFirst ? view.toPicker() : view.fromPicker();
        const QDate otherBefore = other->date();
        type(picked, startFirst ? from : to);
        QCOMPARE(other->date(), otherBefore);
        QCOMPARE(picked->date(), QDate::fromString(startFirst ? from : to, QStringLiteral("yyyy/M/d")));
        const QDate typedBefore = picked->date();
        type(other, startFirst ? to : from);
        QCOMPARE(picked->date(), typedBefore);
        QVERIFY(readDone(&view));
        QCOMPARE(view.first(), first.isValid() ? first : QDate(2026, 11, 1));
        QCOMPARE(view.last(), last.isValid() ? last : QDate(2026, 11, 30));
        QCOMPARE(view.status()->text().contains(QStringLiteral("结束日期早于开始日期")), !first.isValid());
    }
};

QTEST_MAIN(TestHistory)
#include "tst_History.moc"
