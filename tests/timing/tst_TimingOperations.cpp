#include "DefaultLocale.h"
#include "timing/AmountDue.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <QSignalSpy>
#include <QTimeZone>
#include <QtTest>

using namespace TimingOperations;

namespace {
QDateTime at(int h, int m, int s = 0)
{
    return QDateTime(QDate(2026, 12, 7), QTime(h, m, s));
}

void add(ModClock &s, const QString &name, bool start, const QDateTime &now, double minutes = 0)
{
    s.add(NewItem {name, QStringLiteral("5*C/60"), minutes, start}, now);
}
} // namespace

class TestTimingOperations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("zh_CN"))); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void startingTwiceChangesNothingTheSecondTime()
    {
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(9, 0));
        s.startTiming(1, at(10, 0, 5));
        s.startTiming(1, at(10, 7));
        QCOMPARE(s.cCount.item(1), 1);
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColCount), QStringLiteral("1"));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColLatestStart), QStringLiteral("10:00:05"));
        QCOMPARE(s.cSave.item(1).cStart.count(), 1);
        QCOMPARE(s.lvwMain.image(1), int(ItemRowModel::ImageTimed));
        QVERIFY(s.lvwMain.tag(1));
    }

    void endingAStoppedItemBooksNothing()
    {
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(9, 0), 4);
        s.endTiming(1, at(10, 0));
        QCOMPARE(s.cSave.item(1).cTime.count(), 0);
        QCOMPARE(s.cTotal.item(1), 4.0);
        QCOMPARE(s.lvwMain.image(1), int(ItemRowModel::ImageStopped));
        QVERIFY(!s.lvwMain.tag(1));
    }

    // Minutes are elapsed time between two instants: neither midnight, nor a daylight-saving
    // change, nor a clock set back or forward may bill a minute that did not pass.
    void sessionsBookWholeMinutes_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<double>("booked");
        const QDate d(2026, 12, 7);
        const QTimeZone berlin("Europe/Berlin");
        QTest::newRow("across a minute by two seconds")
            << QDateTime(d, QTime(10, 5, 59)) << QDateTime(d, QTime(10, 6, 1)) << 1.0;
        QTest::newRow("within one minute") << QDateTime(d, QTime(10, 5, 1)) << QDateTime(d, QTime(10, 5, 59)) << 0.0;
        QTest::newRow("ninety minutes") << QDateTime(d, QTime(8, 30, 10)) << QDateTime(d, QTime(10, 0, 0)) << 90.0;
        QTest::newRow("past midnight") << QDateTime(d, QTime(23, 55)) << QDateTime(d.addDays(1), QTime(0, 20)) << 25.0;
        // 02:30 summer time, then 02:10 winter time: the hour repeats, 40 minutes pass.
        QTest::newRow("autumn change, Berlin")
            << QDateTime(QDate(2026, 10, 25), QTime(2, 30), berlin)
            << QDateTime(QDate(2026, 10, 25), QTime(2, 30), berlin).addSecs(40 * 60) << 40.0;
        // 01:50 winter time to 03:10 summer time: the clock jumps an hour, 20 minutes pass.
        QTest::newRow("spring change, Berlin") << QDateTime(QDate(2026, 3, 29), QTime(1, 50), berlin)
                                               << QDateTime(QDate(2026, 3, 29), QTime(3, 10), berlin) << 20.0;
        QTest::newRow("clock set back 60 s across a minute")
            << QDateTime(d, QTime(10, 6, 10)) << QDateTime(d, QTime(10, 5, 10)) << 0.0;
        QTest::newRow("clock set back an hour") << QDateTime(d, QTime(10, 30)) << QDateTime(d, QTime(9, 45)) << 0.0;
        QTest::newRow("clock set a day forward")
            << QDateTime(d, QTime(10, 0)) << QDateTime(d.addDays(1), QTime(10, 1)) << 1441.0;
    }
    void sessionsBookWholeMinutes()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(double, booked);
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(8, 0), 2.5);
        s.startTiming(1, start);
        s.endTiming(1, end);
        const clsSave &r = s.cSave.item(1);
        QCOMPARE(r.cTime.count(), 1);
        QCOMPARE(r.cTime.item(1), booked);
        QCOMPARE(r.cEnd.item(1), end);
        QCOMPARE(s.cTotal.item(1), 2.5 + booked);
        QVERIFY(!s.cRunning.item(1));
        // The row shows the bill at once, not the minutes of its last refresh.
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), TimeText::generalNumber(2.5 + booked));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColResult), TimeText::generalNumber(5 * (2.5 + booked) / 60));
    }

    // A wall clock set forward or back while a session runs changes what the clock shows, never
    // the bill: the session is reported, leaves or ends with the time that really passed.
    void aSetClockBillsRealTime()
    {
        ModClock s;
        s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 2.5, true}, Moment(at(10, 0), 5000));
        QCOMPARE(runningMinutes(s.lvwMain, 1, Moment(at(12, 0, 6), 11000)), 2.5); // set 2 h forward, 6 s later
        QCOMPARE(s.endTiming(1, Moment(at(9, 20), 5000 + 20 * 60000)), std::optional(20.0)); // then set back
        QCOMPARE(s.cSave.item(1).cEnd.item(1), at(9, 20));
    }

    void bookingDoesNotReadTheStartTextBack()
    {
        // A locale whose long time has a.m./p.m. words must not break the arithmetic.
        const DefaultLocale korean(QLocale(QStringLiteral("ko_KR")));
        ModClock s;
        add(s, QStringLiteral("PC1"), true, at(13, 10, 30));
        s.endTiming(1, at(14, 40, 2));
        QCOMPARE(s.cSave.item(1).cTime.item(1), 90.0);
    }

    void noItemThereChangesNothing()
    {
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(9, 0));
        QVERIFY(!s.startTiming(0, at(10, 0)));
        QVERIFY(!s.startTiming(2, at(10, 0)));
        QVERIFY(!s.endTiming(2, at(10, 5)));
        QVERIFY(!s.cRunning.item(1));
        QCOMPARE(s.cCount.item(1), 0);
    }

    void setAllActsOnAllInOneAnnouncement()
    {
        ModClock s;
        add(s, QStringLiteral("A"), true, at(9, 0));
        add(s, QStringLiteral("B"), false, at(9, 0));
        add(s, QStringLiteral("C"), false, at(9, 0));
        QSignalSpy all(&s, &ModClock::allTimed);
        QSignalSpy one(&s, &ModClock::ended);
        s.setAll(true, at(9, 30));
        QCOMPARE(s.cCount.item(1), 1); // already running: untouched
        QCOMPARE(s.cCount.item(2), 1);
        QCOMPARE(s.cCount.item(3), 1);
        s.setAll(false, at(10, 0));
        QCOMPARE(s.cTotal.item(1), 60.0);
        QCOMPARE(s.cTotal.item(2), 30.0);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(!s.cRunning.item(i));
        QCOMPARE(all.size(), 2);
        QCOMPARE(one.size(), 0);
        const auto ended = all[1][2].value<QList<BookedSession>>();
        QCOMPARE(ended.size(), 3);
        QCOMPARE(ended[0].name, QStringLiteral("A"));
        QCOMPARE(ended[0].minutes, 60.0);
        QCOMPARE(ended[0].start, at(9, 0));
    }

    void tooltipShowsTheResult()
    {
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(9, 0), 30); // 5*C/60 shows 2.5
        add(s, QStringLiteral("PC2"), true, at(9, 0));
        QCOMPARE(itemTooltip(s.lvwMain, 1), QStringLiteral("所选项:PC1 计算结果: 2.5 应收金额: 2.50"));
        // Goods add to the amount due, never to the result, and each is told on a line of its own.
        QVERIFY(s.addGoods(1, GoodsLine {QStringLiteral("可乐"), 3.5, 2}, at(9, 5)));
        QCOMPARE(itemTooltip(s.lvwMain, 1),
                 QStringLiteral("所选项:PC1 计算结果: 2.5 应收金额: 9.50\n商品: 可乐 2 × 3.50 = 7.00 元"));
        // A copy of the item (a removal's record) keeps what was sold when it was taken.
        const Item copy = s.lvwMain.at(1);
        QVERIFY(s.addGoods(1, GoodsLine {QStringLiteral("可乐"), 3.5, 1}, at(9, 6)));
        QCOMPARE(static_cast<const QList<GoodsLine> &>(copy.goods).first().quantity, 2);
        QCOMPARE(static_cast<const QList<GoodsLine> &>(s.lvwMain.at(1).goods).first().quantity, 3);
        QVERIFY(s.lvwMain.at(2).goods.isEmpty());
    }

    // Half away from zero as the decimal fee reads, though the doubles of 1.005 and 2.675 lie below.
    void amountDueRoundsToTheFen_data()
    {
        QTest::addColumn<double>("fee");
        QTest::addColumn<QString>("due");
        QTest::newRow("thirds") << 7.58333333333333 << "7.58";
        QTest::newRow("1.005") << 1.005 << "1.01";
        QTest::newRow("2.675") << 2.675 << "2.68";
        QTest::newRow("credit") << -0.125 << "-0.13";
        QTest::newRow("no minus zero") << -0.001 << "0.00";
        QTest::newRow("whole") << 5.0 << "5.00";
        QTest::newRow("infinity") << qInf() << "";
        QTest::newRow("nan") << qQNaN() << "";
        QTest::newRow("beyond the fen") << 1e13 << "";
        // As the decimal fee reads, halves and the doubles beside them alike, at any size.
        QTest::newRow("minus half a fen") << -0.005 << "-0.01";
        QTest::newRow("just short of half") << 0.0049999999999999 << "0.00";
        QTest::newRow("0.285") << 0.285 << "0.29";
        QTest::newRow("-1.115") << -1.115 << "-1.12";
        QTest::newRow("large half") << 1234567.125 << "1234567.13";
        QTest::newRow("large credit") << -1234567.125 << "-1234567.13";
        QTest::newRow("half at 13 digits") << 4503599627370.495 << "4503599627370.50";
        QTest::newRow("half past 15 digits") << 5e12 + 0.005 << "5000000000000.00";
        QTest::newRow("largest") << 9999999999999.995 << "9999999999999.99";
        QTest::newRow("largest credit") << -9999999999999.995 << "-9999999999999.99";
        QTest::newRow("near nothing") << 1e-9 << "0.00";
    }
    void amountDueRoundsToTheFen()
    {
        QFETCH(double, fee);
        QFETCH(QString, due);
        QCOMPARE(AmountDue::text(fee), due);
        // A total adds what each customer was handed (0.13 twice), not the unrounded fees.
        QCOMPARE(AmountDue::text(AmountDue::total({0.125, 0.125, 0.1, 0.2})), QStringLiteral("0.56"));
    }

    // A till's rule rounds the amount read to the fen, half a step and more going up (away from
    // nothing for a credit); a total adds the amounts as rounded.
    void amountDueByRule_data()
    {
        QTest::addColumn<double>("fee");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("label");
        QTest::newRow("fen, as before") << 2.675 << 1 << "2.68"
                                        << "应收金额";
        QTest::newRow("0.1, half up") << 2.05 << 10 << "2.10"
                                      << "应收金额(按0.1元取整)";
        QTest::newRow("0.1, down") << 2.0449 << 10 << "2.00"
                                   << "应收金额(按0.1元取整)";
        QTest::newRow("0.5, a fen short of the half") << 1.24 << 50 << "1.00"
                                                      << "应收金额(按0.5元取整)";
        QTest::newRow("0.5, the fen reaches the half") << 1.245 << 50 << "1.50"
                                                       << "应收金额(按0.5元取整)";
        QTest::newRow("1, half up") << 7.5 << 100 << "8.00"
                                    << "应收金额(按1元取整)";
        QTest::newRow("1, credit") << -7.5 << 100 << "-8.00"
                                   << "应收金额(按1元取整)";
        QTest::newRow("unknown step is the fen") << 1.005 << 7 << "1.01"
                                                 << "应收金额";
        QTest::newRow("no number") << qInf() << 50 << ""
                                   << "应收金额(按0.5元取整)";
    }
    void amountDueByRule()
    {
        QFETCH(double, fee);
        QFETCH(int, step);
        QFETCH(QString, due);
        QFETCH(QString, label);
        const AmountDue::Rounding rule = AmountDue::roundingFromStep(step);
        QCOMPARE(AmountDue::text(fee, rule), due);
        QCOMPARE(AmountDue::label(rule), label);
        // Three bills of 0.30 each ask 0.50 by the half 元: 1.50, not 0.90 rounded to 1.00.
        QCOMPARE(AmountDue::text(AmountDue::total({0.3, 0.3, 0.3}, AmountDue::Rounding::HalfYuan)),
                 QStringLiteral("1.50"));
    }
};

QTEST_GUILESS_MAIN(TestTimingOperations)
#include "tst_TimingOperations.moc"
