#include "ModClock.h"
#include "TimingOperations.h"

#include <QtTest>

using namespace TimingOperations;

namespace {
QDateTime at(int h, int m, int s = 0) { return QDateTime(QDate(2026, 12, 7), QTime(h, m, s)); }

void add(ModClock &s, const QString &name, bool start, const QDateTime &now, double minutes = 0)
{
    s.AddItem(NewItem{name, QStringLiteral("5*C/60"), minutes, start}, now);
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
        StartTimer(s, at(10, 0, 5));
        StartTimer(s, at(10, 7));
        QCOMPARE(s.cCount.Item(1), 1);
        QCOMPARE(s.lvwMain.Text(1, ItemRowModel::ColCount), QStringLiteral("1"));
        QCOMPARE(s.lvwMain.Text(1, ItemRowModel::ColLatestStart), QStringLiteral("10:00:05"));
        QCOMPARE(s.cSave.Item(1).cStart.Count(), 1);
        QCOMPARE(s.lvwMain.Image(1), int(ItemRowModel::ImageTimed));
        QVERIFY(s.lvwMain.Tag(1));
    }

    void endingAStoppedItemBooksNothing()
    {
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(9, 0), 4);
        EndTimer(s, at(10, 0));
        QCOMPARE(s.cSave.Item(1).cTime.Count(), 0);
        QCOMPARE(s.cTotal.Item(1), 4.0);
        QCOMPARE(s.lvwMain.Image(1), int(ItemRowModel::ImageStopped));
        QVERIFY(!s.lvwMain.Tag(1));
    }

    void sessionsBookWholeMinutes_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QTime>("end");
        QTest::addColumn<double>("booked");
        QTest::newRow("across a minute by two seconds") << QTime(10, 5, 59) << QTime(10, 6, 1) << 1.0;
        QTest::newRow("within one minute") << QTime(10, 5, 1) << QTime(10, 5, 59) << 0.0;
        QTest::newRow("ninety minutes") << QTime(8, 30, 10) << QTime(10, 0, 0) << 90.0;
        QTest::newRow("past midnight") << QTime(23, 55) << QTime(0, 20) << 25.0;
    }
    void sessionsBookWholeMinutes()
    {
        QFETCH(QTime, start);
        QFETCH(QTime, end);
        QFETCH(double, booked);
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(8, 0), 2.5);
        StartTimer(s, QDateTime(QDate(2026, 12, 7), start));
        EndTimer(s, QDateTime(QDate(2026, 12, 7), end));
        const clsSave &r = s.cSave.Item(1);
        QCOMPARE(r.cTime.Count(), 1);
        QCOMPARE(r.cTime.Item(1), booked);
        QCOMPARE(r.cEnd.Item(1), end);
        QCOMPARE(s.cTotal.Item(1), 2.5 + booked);
        QVERIFY(!s.cRunning.Item(1));
    }

    void bookingDoesNotReadTheStartTextBack()
    {
        // A locale whose long time has a.m./p.m. words must not break the arithmetic.
        QLocale::setDefault(QLocale(QStringLiteral("ko_KR")));
        ModClock s;
        add(s, QStringLiteral("PC1"), true, at(13, 10, 30));
        EndTimer(s, at(14, 40, 2));
        QCOMPARE(s.cSave.Item(1).cTime.Item(1), 90.0);
    }

    void noCurrentItemChangesNothing()
    {
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(9, 0));
        s.itmSelected = QPersistentModelIndex();
        StartTimer(s, at(10, 0));
        EndTimer(s, at(10, 5));
        QVERIFY(!s.cRunning.Item(1));
        QCOMPARE(s.cCount.Item(1), 0);
    }

    void setTimerActsOnAllAndKeepsTheCurrentItem()
    {
        ModClock s;
        add(s, QStringLiteral("A"), true, at(9, 0));
        add(s, QStringLiteral("B"), false, at(9, 0));
        add(s, QStringLiteral("C"), false, at(9, 0));
        s.Select(2);
        QVERIFY(SetTimer(s, true, at(9, 30)));
        QCOMPARE(s.SelectedPos(), 2);
        QCOMPARE(s.cCount.Item(1), 1); // already running: untouched
        QCOMPARE(s.cCount.Item(2), 1);
        QCOMPARE(s.cCount.Item(3), 1);
        QVERIFY(SetTimer(s, false, at(10, 0)));
        QCOMPARE(s.cTotal.Item(1), 60.0);
        QCOMPARE(s.cTotal.Item(2), 30.0);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(!s.cRunning.Item(i));

        s.itmSelected = QPersistentModelIndex();
        QVERIFY(!SetTimer(s, true, at(10, 1)));
        QVERIFY(!s.itmSelected.isValid());
        QVERIFY(s.cRunning.Item(3));
    }

    void clickEnablesByTagAndSetsTheTooltip()
    {
        ModClock s;
        add(s, QStringLiteral("PC1"), false, at(9, 0));
        add(s, QStringLiteral("PC2"), true, at(9, 0));
        s.lvwMain.SetText(1, ItemRowModel::ColResult, QStringLiteral("2.5"));
        ClickResult r = ItemClick(s, 1);
        QVERIFY(r.valid);
        QVERIFY(r.startEntryEnabled);
        QVERIFY(!r.endEntryEnabled);
        QCOMPARE(r.tooltip, QStringLiteral("所选项:PC1 计算结果: 2.5"));
        QCOMPARE(s.SelectedPos(), 1);
        r = ItemClick(s, 2);
        QVERIFY(!r.startEntryEnabled);
        QVERIFY(r.endEntryEnabled);
        QCOMPARE(s.SelectedPos(), 2);
        QVERIFY(!ItemClick(s, 3).valid);
        QCOMPARE(s.SelectedPos(), 2);
    }
};

QTEST_GUILESS_MAIN(TestTimingOperations)
#include "tst_TimingOperations.moc"
