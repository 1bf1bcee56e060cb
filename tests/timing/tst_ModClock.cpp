#include "DefaultLocale.h"
#include "timing/ItemRowModel.h"
#include "timing/ModClock.h"
#include "timing/TimingOperations.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QDateTime kNow(QDate(2026, 12, 7), QTime(10, 5, 40));

NewItem item(const QString &name, bool start = true, double minutes = 0)
{
    return NewItem {name, QStringLiteral("5*C/60"), minutes, start};
}
} // namespace

class TestModClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startedItemFillsEveryListAndTheRow()
    {
        const DefaultLocale chinese(QLocale(QStringLiteral("zh_CN")));
        ModClock s;
        QAbstractItemModelTester tester(&s.lvwMain, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy added(&s, &ModClock::added);
        const int pos = s.add(item(QStringLiteral("PC1"), true, 12.5), kNow);
        QCOMPARE(pos, 1);
        QCOMPARE(s.lngItems, 1);
        QCOMPARE(s.lngAdded, 1);
        QCOMPARE(added.size(), 1);
        QCOMPARE(added[0][0].toInt(), 1);
        QCOMPARE(s.cRunning.item(1), true);
        QCOMPARE(s.cTotal.item(1), 12.5);
        QCOMPARE(s.cCount.item(1), 1);
        QCOMPARE(s.cItemFangAn.item(1), QStringLiteral("5*C/60"));
        QCOMPARE(s.cSave.item(1).cStart.count(), 1);
        QCOMPARE(s.cSave.item(1).cStart.item(1), kNow);
        const ItemRowModel &m = s.lvwMain;
        QCOMPARE(m.image(1), int(ItemRowModel::ImageTimed));
        QVERIFY(m.tag(1));
        QCOMPARE(m.text(1, ItemRowModel::ColName), QStringLiteral("PC1"));
        QCOMPARE(m.text(1, ItemRowModel::ColUpTo), QStringLiteral("10:05"));
        QCOMPARE(m.text(1, ItemRowModel::ColCount), QStringLiteral("1"));
        // The minutes typed in, and their fee, are on the row from the start.
        QCOMPARE(m.text(1, ItemRowModel::ColMinutes), QStringLiteral("12.5"));
        QCOMPARE(m.text(1, ItemRowModel::ColScheme), QStringLiteral("5*C/60"));
        QCOMPARE(m.text(1, ItemRowModel::ColResult), QStringLiteral("1.04166666666667"));
        QVERIFY(!m.text(1, ItemRowModel::ColLatestStart).isEmpty());
    }

    void stoppedItemHasNoStartAndNoSession()
    {
        ModClock s;
        s.add(item(QStringLiteral("PC1"), false, 30), kNow);
        QCOMPARE(s.lvwMain.image(1), int(ItemRowModel::ImageStopped));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("30"));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColResult), QStringLiteral("2.5"));
        QVERIFY(!s.lvwMain.tag(1));
        QVERIFY(s.lvwMain.text(1, ItemRowModel::ColLatestStart).isEmpty());
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColCount), QStringLiteral("0"));
        QCOMPARE(s.cSave.item(1).cStart.count(), 0);
        QCOMPARE(s.cCount.item(1), 0);
    }

    void duplicateNameChangesNothing()
    {
        ModClock s;
        s.add(item(QStringLiteral("pc1")), kNow);
        QCOMPARE(s.add(item(QStringLiteral("PC1")), kNow), 0);
        QCOMPARE(s.lngItems, 1);
        QCOMPARE(s.lngAdded, 1);
        QCOMPARE(s.lvwMain.count(), 1);
        QCOMPARE(s.add(item(QStringLiteral("PC1 ")), kNow), 2);
    }

    void removingMovesLaterItemsDownEverywhere()
    {
        ModClock s;
        QAbstractItemModelTester tester(&s.lvwMain, QAbstractItemModelTester::FailureReportingMode::QtTest);
        s.add(item(QStringLiteral("A"), true, 1), kNow);
        s.add(item(QStringLiteral("B"), false, 2), kNow);
        s.add(item(QStringLiteral("C"), true, 3), kNow);
        const QPersistentModelIndex current = s.lvwMain.handle(3);
        QVERIFY(s.remove(2));
        QCOMPARE(s.lngItems, 2);
        QCOMPARE(s.lngAdded, 3);
        QCOMPARE(s.cName.item(2), QStringLiteral("C"));
        QCOMPARE(s.cTotal.item(2), 3.0);
        QCOMPARE(s.cRunning.item(2), true);
        QCOMPARE(s.lvwMain.text(2, ItemRowModel::ColName), QStringLiteral("C"));
        // The current item follows its row; a removed name may be used again.
        QCOMPARE(s.lvwMain.positionOf(current), 2);
        QCOMPARE(s.add(item(QStringLiteral("b")), kNow), 3);
        QVERIFY(!s.remove(0));
        QVERIFY(!s.remove(4));
    }

    // Enough names to grow the table of names several times; removals move the later rows up.
    void namesAreFoundAmongManyAfterRemovals()
    {
        ModClock s;
        for (int i = 1; i <= 100; ++i)
            QCOMPARE(s.add(item(QStringLiteral("PC%1").arg(i)), kNow), i);
        QVERIFY(s.remove(1));
        QVERIFY(s.remove(50)); // PC51
        QCOMPARE(s.lvwMain.positionOfName(QStringLiteral("pc1")), 0);
        QCOMPARE(s.lvwMain.positionOfName(QStringLiteral("pc2")), 1);
        QCOMPARE(s.lvwMain.positionOfName(QStringLiteral("PC50")), 49);
        QCOMPARE(s.lvwMain.positionOfName(QStringLiteral("PC52")), 50);
        QCOMPARE(s.lvwMain.positionOfName(QStringLiteral("Pc100")), 98);
        QCOMPARE(s.add(item(QStringLiteral("pc51")), kNow), 99);
        QCOMPARE(s.add(item(QStringLiteral("PC52")), kNow), 0);
    }

    void removingTheCurrentItemEmptiesIt()
    {
        ModClock s;
        s.add(item(QStringLiteral("A")), kNow);
        const QPersistentModelIndex current = s.lvwMain.handle(1);
        s.remove(1);
        QCOMPARE(s.lvwMain.positionOf(current), 0);
        QVERIFY(!current.isValid());
    }

    void batchAnnouncesARefreshOnce()
    {
        ModClock s;
        for (int i = 0; i < 5; ++i)
            s.add(item(QStringLiteral("PC%1").arg(i)), kNow);
        QSignalSpy changed(&s.lvwMain, &QAbstractItemModel::dataChanged);
        {
            const ItemRowModel::Batch batch(s.lvwMain);
            s.showMinutes(2, 5, kNow.time());
            s.showMinutes(4, 12, kNow.time());
            QCOMPARE(changed.size(), 0);
        }
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), 1);
        QCOMPARE(changed[0][1].toModelIndex().row(), 3);
        const ItemRowModel::Batch untouched(s.lvwMain);
        Q_UNUSED(untouched);
    }

    void modelShowsTheSevenColumns()
    {
        ModClock s;
        QCOMPARE(s.lvwMain.columnCount(), 7);
        QCOMPARE(s.lvwMain.headerData(4, Qt::Horizontal).toString(), QStringLiteral("耗时累计(分钟)"));
        QCOMPARE(ItemRowModel::columnWidthTwips(6), 4000);
        s.add(item(QStringLiteral("A")), kNow);
        QVERIFY(!(s.lvwMain.flags(s.lvwMain.index(0, 0)) & Qt::ItemIsEditable));
        QCOMPARE(s.lvwMain.data(s.lvwMain.index(0, 0), ItemRowModel::ImageRole).toInt(), 1);
    }

    // Two customers on one scheme, each with the same limit set as they start at 10:05:40: both
    // come near it, then a refresh three minutes late finds both past it and tells them once,
    // together; those that end there are booked at the limit's minute, not at the refresh.
    void limitsAreToldOnceAndEndAtTheirMinute_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("amount");
        QTest::addColumn<bool>("endAtLimit");
        QTest::addColumn<double>("limitMinutes"); // -1: refused
        QTest::newRow("an hour") << QStringLiteral("5*C/60") << 1 << 60.0 << false << 60.0;
        QTest::newRow("an hour, ended") << QStringLiteral("5*C/60") << 1 << 60.0 << true << 60.0;
        QTest::newRow("10 at 5 an hour") << QStringLiteral("5*C/60") << 2 << 10.0 << true << 120.0;
        QTest::newRow("5 by the half hour begun") << QStringLiteral("-INT(-C/30)*2.5") << 2 << 5.0 << false << 60.0;
        QTest::newRow("at least 5, then by the minute") << QStringLiteral("MAX(5, 5*C/60)") << 2 << 6.0 << true << 72.0;
        QTest::newRow("flat fee") << QStringLiteral("10") << 2 << 20.0 << false << -1.0;
        QTest::newRow("no money") << QStringLiteral("5*C/60") << 2 << 0.0 << false << -1.0;
        QTest::newRow("minutes of nan") << QStringLiteral("5*C/60") << 1 << qQNaN() << false << -1.0;
    }
    void limitsAreToldOnceAndEndAtTheirMinute()
    {
        QFETCH(QString, scheme);
        QFETCH(int, kind);
        QFETCH(double, amount);
        QFETCH(bool, endAtLimit);
        QFETCH(double, limitMinutes);
        ModClock s;
        QSignalSpy told(&s, &ModClock::limitsReached);
        for (const QString &name : {QStringLiteral("PC1"), QStringLiteral("PC2")}) {
            s.add(NewItem {name, scheme, 0, true}, kNow);
            const QString refusal = s.setLimit(s.lngItems, ItemLimit::Kind(kind), amount, endAtLimit, kNow);
            QCOMPARE(refusal.isEmpty(), limitMinutes >= 0);
        }
        if (limitMinutes < 0) {
            QVERIFY(!s.lvwMain.at(1).limit.isSet());
            return;
        }
        QCOMPARE(s.lvwMain.at(1).limit.limitMinutes, limitMinutes);
        const auto refreshAt = [&](double minutes) {
            const QDateTime t = kNow.addSecs(qint64(minutes) * 60);
            s.refreshRunning(t, t.time());
        };
        refreshAt(limitMinutes - 6);
        QCOMPARE(s.lvwMain.data(s.lvwMain.index(0, 0), ItemRowModel::LimitRole).toInt(), 0);
        refreshAt(limitMinutes - 5);
        QCOMPARE(s.lvwMain.data(s.lvwMain.index(1, 0), ItemRowModel::LimitRole).toInt(), int(ItemLimit::State::Near));
        QCOMPARE(told.size(), 0);
        refreshAt(limitMinutes + 3);
        refreshAt(limitMinutes + 4);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0][0].toStringList(), QStringList({QStringLiteral("PC1"), QStringLiteral("PC2")}));
        QCOMPARE(s.cRunning.item(2), !endAtLimit);
        if (endAtLimit) {
            QCOMPARE(s.cTotal.item(2), limitMinutes);
            QCOMPARE(s.cSave.item(2).cEnd.item(1),
                     QDateTime(kNow.date(), QTime(10, 5)).addSecs(qint64(limitMinutes) * 60));
        }
        // Ended at its limit it stands at it; timed on past it, the tip says by how much.
        const QString tip = TimingOperations::itemTooltip(s.lvwMain, 1);
        QVERIFY(endAtLimit ? tip.endsWith(QStringLiteral(" 已到限额"))
                           : tip.endsWith(kind == 1 ? QStringLiteral(" 已到限额,超出 4 分钟") : QStringLiteral(" 已到限额,超出 2.50 元")));
        // A limit set already past is told at once: a customer who has used more must hear of it.
        s.setLimit(1, ItemLimit::Kind::Minutes, 1, false, kNow.addSecs(3600 * 5));
        QCOMPARE(told.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestModClock)
#include "tst_ModClock.moc"
