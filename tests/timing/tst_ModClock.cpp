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
};

QTEST_GUILESS_MAIN(TestModClock)
#include "tst_ModClock.moc"
