// The content of the two reports, as the report component receives it.

#include "FakeWallClock.h"
#include "RecordingReportPrinter.h"
#include "ReportFixtures.h"
#include "commands/TimingReports.h"

#include <QtTest>

using ReportFixtures::Session;

namespace {
const QDate kToday(2026, 12, 7);
const QDateTime kCreated(kToday, QTime(9, 0, 0));

// What a report tells the component besides its content.
QStringList settings(const ReportDocument &d)
{
    return {d.title, QStringLiteral("style %1").arg(d.styleCode),
            d.preview ? QStringLiteral("preview") : QStringLiteral("print %1").arg(d.copies),
            d.listFlag ? QStringLiteral("list") : QStringLiteral("no list")};
}
const QStringList kItem = {QStringLiteral("计时账单"), QStringLiteral("style 4"), QStringLiteral("preview"),
                           QStringLiteral("no list")};
const QStringList kAll = {QStringLiteral("计时项清单"), QStringLiteral("style 4"), QStringLiteral("preview"),
                          QStringLiteral("list")};

QStringList printed(QStringList expected)
{
    return expected.replaceInStrings(QStringLiteral("preview"), QStringLiteral("print 1"));
}

QVariantList texts(std::initializer_list<const char16_t *> list)
{
    QVariantList out;
    for (const char16_t *t : list)
        out << QString::fromUtf16(t);
    return out;
}

// The component formats numbers and times itself, so the lists must carry them as such.
bool isType(const QVariant &v, QMetaType::Type type)
{
    return v.typeId() == type;
}

struct Setup {
    ModClock state;
    FakeWallClock clock {QDateTime(kToday, QTime(14, 5, 30))};
    int created = 0;
    bool factoryFails = false;
    TimingReports reports {state, clock, [this]() -> std::unique_ptr<ReportPrinter> {
                               if (factoryFails)
                                   return nullptr;
                               ++created;
                               return std::make_unique<RecordingReportPrinter>();
                           }};
    // The newest item's report, as the item commands ask for the current item's.
    void reportItem(bool preview) { reports.ReportItem(state.lvwMain.at(state.lngItems), preview); }
    RecordingReportPrinter &printer() { return *static_cast<RecordingReportPrinter *>(reports.objReport()); }
    const ReportDocument &report() { return printer().last(); }
};
} // namespace

class TestTimingReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Times of day on the list read 1:50:20 PM here: a report that took a session's minutes
        // from that text would go wrong.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void stoppedItemListsEverySession()
    {
        Setup s;
        ReportFixtures::addItem(s.state, QStringLiteral("PC0"), {}, kCreated);
        ReportFixtures::addItem(s.state, QStringLiteral("PC1"),
                                {{QTime(9, 10, 5), QTime(9, 40, 50)},
                                 {QTime(10, 0, 0), QTime(10, 20, 59)},
                                 {QTime(11, 30, 30), QTime(11, 31, 10)}},
                                kCreated);
        s.reportItem(true);

        const ReportDocument &p = s.report();
        QCOMPARE(settings(p), kItem);
        QCOMPARE(p.firstBlock, texts({u"名称:", u"PC1", u"状态:", u"已结束计时"}));
        QCOMPARE(p.secondBlock, texts({u"计时次数:3", u"合计耗时:51", u"结果:", u"4.25", u"应收金额:", u"4.25"}));
        QCOMPARE(p.headings, texts({u"开始时间", u"结束时间", u"时间"}));
        const QVariantList expected = {QTime(9, 10, 5),   QTime(9, 40, 50),  30.0,
                                       QTime(10, 0, 0),   QTime(10, 20, 59), 20.0,
                                       QTime(11, 30, 30), QTime(11, 31, 10), 1.0};
        QCOMPARE(p.cells, expected);
        for (int k = 0; k < p.cells.size(); k += 3) {
            QVERIFY(isType(p.cells[k], QMetaType::QTime));
            QVERIFY(isType(p.cells[k + 1], QMetaType::QTime));
            QVERIFY(isType(p.cells[k + 2], QMetaType::Double));
        }
        // Goods sold beside the time are handed over with it; the result stays the time's.
        s.state.addGoods(2, GoodsLine {QStringLiteral("可乐"), 3.5, 2}, kCreated);
        s.reportItem(true);
        QCOMPARE(s.report().secondBlock.mid(3),
                 texts({u"4.25", u"应收金额:", u"11.25", u"商品:", u"可乐 2 × 3.50 = 7.00 元", u"机时:", u"4.25",
                        u"商品合计:", u"7.00"}));
        // A till's rounding rounds what the time cost and adds the goods at their prices, as the day's
        // takings do: 4.25 is 4.50 by the half yuan, with 7.40 of goods 11.90, and 0.10 back from 12.
        s.state.addGoods(2, GoodsLine {QStringLiteral("口香糖"), 0.4, 1}, kCreated);
        ReceiptSettings halfYuan;
        halfYuan.rounding = AmountDue::Rounding::HalfYuan;
        const Item &item = s.state.lvwMain.at(2);
        const QVariantList rounded =
            TimingReports::itemDocument(item, s.state.billOf(item, kCreated), kCreated, true, halfYuan, 12.0)
                .secondBlock;
        QVERIFY(rounded.contains(QStringLiteral("11.90")) && rounded.contains(QStringLiteral("0.10")));
    }

    void neverStartedItemHasNoRows()
    {
        Setup s;
        ReportFixtures::addItem(s.state, QStringLiteral("PC1"), {}, kCreated);
        s.reportItem(true);
        QCOMPARE(s.report().firstBlock.last().toString(), QStringLiteral("已结束计时"));
        QCOMPARE(s.report().secondBlock.first().toString(), QStringLiteral("计时次数:0"));
        QVERIFY(s.report().cells.isEmpty());
    }

    void runningItemAddsTheSessionInProgress()
    {
        Setup s;
        const int pos =
            ReportFixtures::addItem(s.state, QStringLiteral("PC1"),
                                    {{QTime(9, 0, 0), QTime(9, 45, 0)}, {QTime(12, 0, 0), QTime(12, 30, 0)}}, kCreated);
        ReportFixtures::start(s.state, pos, QDateTime(kToday, QTime(13, 50, 20)));
        s.reportItem(true);

        const ReportDocument &p = s.report();
        QCOMPARE(settings(p), kItem);
        QCOMPARE(p.firstBlock, texts({u"名称:", u"PC1", u"状态:", u"截止至:14:05(仍在计时...)"}));
        // The total is the table's sum, 45 + 30 + 15, whatever the row showed at its last refresh.
        QCOMPARE(p.secondBlock, texts({u"计时次数:3", u"合计耗时:90", u"结果:", u"7.5", u"应收金额:", u"7.50"}));
        // Two finished sessions and the one in progress: three rows, "计时次数:3".
        QCOMPARE(p.cells.size(), 9);
        QCOMPARE(p.cells.mid(3, 3), (QVariantList {QTime(12, 0, 0), QTime(12, 30, 0), 30.0}));
        // The start column's text, which the locale writes as it likes; the minutes do not depend on it.
        QVERIFY(isType(p.cells[6], QMetaType::QString));
        QCOMPARE(p.cells[6].toString(), s.state.lvwMain.text(pos, ItemRowModel::ColLatestStart));
        QVERIFY(p.cells[6].toString().startsWith(QStringLiteral("1:50:20")));
        QVERIFY(isType(p.cells[7], QMetaType::QString));
        QCOMPARE(p.cells[7].toString(), QStringLiteral("14:05"));
        QVERIFY(isType(p.cells[8], QMetaType::Double));
        QCOMPARE(p.cells[8].toDouble(), 15.0);
    }

    void sessionInProgressMinutes_data()
    {
        QTest::addColumn<QDateTime>("started");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<double>("minutes");
        const auto at = [](int h, int m, int sec, int day = 0) {
            return QDateTime(kToday.addDays(day), QTime(h, m, sec));
        };
        QTest::newRow("whole minutes, seconds dropped") << at(13, 50, 20) << at(14, 5, 0) << 15.0;
        QTest::newRow("started this minute") << at(14, 5, 10) << at(14, 5, 50) << 0.0;
        QTest::newRow("one second across a minute") << at(10, 5, 59) << at(10, 6, 1) << 1.0;
        QTest::newRow("past midnight") << at(23, 50, 0) << at(0, 10, 0, 1) << 20.0;
        QTest::newRow("clock set back") << at(10, 30, 0) << at(9, 30, 0) << 0.0;
    }
    void sessionInProgressMinutes()
    {
        QFETCH(QDateTime, started);
        QFETCH(QDateTime, now);
        QFETCH(double, minutes);
        Setup s;
        const int pos = ReportFixtures::addItem(s.state, QStringLiteral("PC1"), {}, kCreated);
        ReportFixtures::start(s.state, pos, started);
        s.clock.set(now);
        s.reportItem(true);
        QCOMPARE(s.report().cells.size(), 3);
        QVERIFY(isType(s.report().cells[2], QMetaType::Double));
        QCOMPARE(s.report().cells[2].toDouble(), minutes);
        QCOMPARE(s.report().firstBlock.last().toString(),
                 QStringLiteral("截止至:%1(仍在计时...)").arg(now.time().toString(QStringLiteral("hh:mm"))));
    }

    void allItemsGivesNumbersAndTheList()
    {
        Setup s;
        ReportFixtures::addItem(s.state, QStringLiteral("A"), {}, kCreated);
        ReportFixtures::addItem(s.state, QStringLiteral("B"), {}, kCreated);
        ReportFixtures::addItem(s.state, QStringLiteral("C"), {}, kCreated);
        s.state.remove(2);
        s.reports.ReportAll(true);

        const ReportDocument &p = s.report();
        QCOMPARE(settings(p), kAll);
        // The table is the list's header and texts as they stand.
        QCOMPARE(p.headings.size(), ItemRowModel::ColumnCount);
        // Two items, then the line that adds them up.
        QCOMPARE(p.cells.size(), 3 * ItemRowModel::ColumnCount);
        for (int col = 0; col < ItemRowModel::ColumnCount; ++col) {
            QCOMPARE(p.headings[col], QVariant(ItemRowModel::columnHeader(col)));
            for (int pos = 1; pos <= 2; ++pos)
                QCOMPARE(p.cells[(pos - 1) * ItemRowModel::ColumnCount + col],
                         QVariant(s.state.lvwMain.text(pos, col)));
        }
        QCOMPARE(p.cells[ItemRowModel::ColumnCount].toString(), QStringLiteral("C"));
        QCOMPARE(p.firstBlock, (QVariantList {QStringLiteral("日期:"), kToday}));
        QVERIFY(isType(p.firstBlock[1], QMetaType::QDate));
        QCOMPARE(p.secondBlock, (QVariantList {QStringLiteral("当前数量:"), 2, QStringLiteral("累计数量"), 3}));
        QVERIFY(isType(p.secondBlock[1], QMetaType::Int));
        QVERIFY(isType(p.secondBlock[3], QMetaType::Int));
    }

    // The list ends with "合计": the minutes and fees of its rows added up, written as the rows
    // write them.
    void allItemsEndsWithTheTotal()
    {
        Setup s;
        ReportFixtures::addItem(s.state, QStringLiteral("A"), {{QTime(9, 0), QTime(9, 30)}}, kCreated);
        ReportFixtures::addItem(s.state, QStringLiteral("B"), {{QTime(9, 0), QTime(10, 31)}}, kCreated);
        s.state.add(NewItem {QStringLiteral("C"), QStringLiteral("5*C/60"), 12.5, false}, kCreated);
        s.reports.ReportAll(true);

        const QVariantList &cells = s.report().cells;
        const int columns = ItemRowModel::ColumnCount;
        QCOMPARE(cells.size(), 4 * columns);
        QVariantList expected(columns, QString());
        expected[ItemRowModel::ColName] = QStringLiteral("合计");
        expected[ItemRowModel::ColMinutes] = QStringLiteral("133.5");
        expected[ItemRowModel::ColResult] = QStringLiteral("11.125");
        QCOMPARE(cells.mid(3 * columns), expected);
    }

    void printingAsksForOneCopy_data()
    {
        QTest::addColumn<bool>("allItems");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("item, preview") << false << true << kItem;
        QTest::newRow("item, print") << false << false << printed(kItem);
        QTest::newRow("all, preview") << true << true << kAll;
        QTest::newRow("all, print") << true << false << printed(kAll);
    }
    void printingAsksForOneCopy()
    {
        QFETCH(bool, allItems);
        QFETCH(bool, preview);
        QFETCH(QStringList, expected);
        Setup s;
        ReportFixtures::addItem(s.state, QStringLiteral("PC1"), {}, kCreated);
        allItems ? s.reports.ReportAll(preview) : s.reportItem(preview);
        QCOMPARE(s.printer().documents.size(), 1);
        QCOMPARE(settings(s.report()), expected);
    }

    void noItemsCreatesNothing()
    {
        Setup s;
        s.reports.ReportAll(true);
        s.reports.ReportAll(false);
        ReportFixtures::addItem(s.state, QStringLiteral("PC1"), {}, kCreated);
        s.state.remove(1);
        s.reports.ReportAll(true);
        QCOMPARE(s.created, 0);
        QVERIFY(!s.reports.objReport());
    }

    void allItemsNeedsNoCurrentItem()
    {
        Setup s;
        ReportFixtures::addItem(s.state, QStringLiteral("PC1"), {}, kCreated);
        s.reports.ReportAll(true);
        QCOMPARE(s.printer().documents.size(), 1);
        QCOMPARE(settings(s.report()), kAll);
    }

    void componentIsMadeOnceAndKept()
    {
        Setup s;
        ReportFixtures::addItem(s.state, QStringLiteral("PC1"), {}, kCreated);
        s.factoryFails = true;
        s.reportItem(true); // a component that cannot be made skips the report quietly
        QVERIFY(!s.reports.objReport());
        s.factoryFails = false;
        s.reports.ReportAll(true);
        s.reportItem(false);
        QCOMPARE(s.created, 1);
        QCOMPARE(s.printer().documents.size(), 2);
        QCOMPARE(settings(s.printer().documents[0]), kAll);
        QCOMPARE(settings(s.printer().documents[1]), printed(kItem));
    }
};

QTEST_GUILESS_MAIN(TestTimingReports)
#include "tst_TimingReports.moc"
