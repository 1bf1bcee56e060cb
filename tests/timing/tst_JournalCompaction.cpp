#include "FakeWallClock.h"
#include "ItemsCompared.h"
#include "timing/ClockTick.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#include <memory>

namespace {
const QDateTime kMorning(QDate(2026, 12, 7), QTime(9, 0), QTimeZone(8 * 3600));

// What a long run of a counter may have done, a minute at a time, each minute with its sign of life.
enum Run { Stops = 1, Limits = 2, Leaves = 4, ClockBack = 8, Restored = 16, Reboot = 32, Moves = 64 };
void busyMinutes(ModClock &s, FakeWallClock &clock, int from, int to, int run)
{
    const auto pos = [&s](const char *name) { return s.cName.indexOfKey(QString::fromLatin1(name)); };
    for (int m = from; m < to; ++m) {
        clock.advanceSecs(60);
        if ((run & Stops) && m % 50 == 10)
            s.endTiming(pos("PC2"), clock.moment());
        if ((run & Stops) && m % 50 == 30)
            s.startTiming(pos("PC2"), clock.moment());
        if ((run & Limits) && m == 15)
            s.setLimit(pos("PC3"), ItemLimit::Kind::Money, 4, false, clock.moment());
        if ((run & Leaves) && (run & Limits) && m % 40 == 5) // reached at once, told, then gone
            s.setLimit(pos("pc4"), ItemLimit::Kind::Minutes, 1, false, clock.moment());
        if ((run & Leaves) && m % 40 == 20)
            s.leave(pos("pc4"), LeaveHow::Ended, clock.moment());
        if ((run & Leaves) && m % 40 == 25)
            s.add(NewItem {m % 80 == 25 ? QStringLiteral("PC4") : QStringLiteral("pc4"), QStringLiteral("C"), 3, true},
                  clock.moment());
        if ((run & Moves) && m % 60 == 3)
            s.addGoods(pos("PC1"), GoodsLine {QStringLiteral("cola"), 3.5, 1}, clock.moment());
        if ((run & Moves) && m % 40 == 12) {
            s.addGoods(pos("pc4"), GoodsLine {QStringLiteral("chips"), 6, 2}, clock.moment());
            s.moveTo(pos("pc4"), QStringLiteral("PC9"), clock.moment());
        }
        if ((run & Moves) && m % 40 == 16)
            s.moveTo(pos("PC9"), QStringLiteral("pc4"), clock.moment());
        if ((run & ClockBack) && m == 120)
            clock.step(-45 * 60);
        ClockTick(s).refreshIfNewMinute(clock.moment());
    }
}
} // namespace

class TestJournalCompaction : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
private Q_SLOTS:
    // Cut down after a long run, the journal restores exactly as the whole one: the same items,
    // sessions, minutes, limits, anchors and the same stop, after a crash in this boot or a reboot.
    void aCompactedJournalRestoresAsTheWholeOne_data()
    {
        QTest::addColumn<int>("run");
        QTest::newRow("running and stopped items") << int(Stops);
        QTest::newRow("limits, one reached and told") << int(Limits | Stops);
        QTest::newRow("items that left, a name used again") << int(Leaves | Stops);
        QTest::newRow("wall clock set back") << int(ClockBack | Leaves | Limits);
        QTest::newRow("after a restore with anchors") << int(Restored | Leaves | Limits | Stops);
        QTest::newRow("after a restore, then a reboot") << int(Restored | Reboot | Leaves | ClockBack);
        QTest::newRow("goods and moves, items that left") << int(Moves | Leaves | Stops | Restored);
    }
    void aCompactedJournalRestoresAsTheWholeOne()
    {
        QFETCH(int, run);
        const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        FakeWallClock clock(kMorning);
        auto journal = std::make_unique<ItemJournal>(file, &clock);
        auto s = std::make_unique<ModClock>();
        journal->follow(*s);
        s->add(NewItem {QStringLiteral("PC1"), QStringLiteral("C*0.2"), 0, true}, clock.moment());
        s->add(NewItem {QStringLiteral("PC2"), QStringLiteral("C*0.1"), 12.5, true}, clock.moment());
        s->add(NewItem {QStringLiteral("PC3"), QStringLiteral("min(C,30)*0.5"), 0, true}, clock.moment());
        s->add(NewItem {QStringLiteral("pc4"), QStringLiteral("C"), 0, true}, clock.moment());
        busyMinutes(*s, clock, 0, 150, run);
        if (run & Restored) {
            journal.reset();
            clock.advanceSecs(7 * 60);
            s = std::make_unique<ModClock>();
            journal = std::make_unique<ItemJournal>(file, &clock);
            journal->restore(*s, clock.moment());
            journal->follow(*s);
            busyMinutes(*s, clock, 150, 300, run);
        }
        const QString whole = file + QStringLiteral(".whole");
        QVERIFY(QFile::copy(file, whole));
        QVERIFY(journal->compact());
        QCOMPARE_LT(QFileInfo(file).size() * 5, QFileInfo(whole).size());
        journal.reset(); // killed
        clock.advanceSecs(5 * 60);
        if (run & Reboot)
            clock.reboot(QStringLiteral("boot-2"), 60);
        ModClock fromWhole, fromCompacted;
        const ItemJournal::Restored a = ItemJournal(whole, &clock).restore(fromWhole, clock.moment());
        const ItemJournal::Restored b = ItemJournal(file, &clock).restore(fromCompacted, clock.moment());
        QCOMPARE(a.skipped + b.skipped, 0);
        QCOMPARE(b.running, a.running);
        QCOMPARE(b.lastAlive, a.lastAlive);
        QCOMPARE(b.stoppedAt.wall, a.stoppedAt.wall);
        QCOMPARE(b.stoppedAt.elapsedMs, a.stoppedAt.elapsedMs);
        QCOMPARE(b.gapUnknown, a.gapUnknown);
        compareItems(fromWhole, fromCompacted);
        for (int i = 1; i <= fromWhole.lngItems; ++i) {
            QCOMPARE(fromCompacted.lvwMain.at(i).anchor.wall, fromWhole.lvwMain.at(i).anchor.wall);
            QCOMPARE(fromCompacted.lvwMain.at(i).anchor.elapsedMs, fromWhole.lvwMain.at(i).anchor.elapsedMs);
        }
    }

    // A counter that times for days keeps a short journal: it is cut down by itself, and still
    // restores the items as they stand.
    void aLongRunKeepsTheJournalShort()
    {
        const QString file = m_dir.filePath(QStringLiteral("days.journal"));
        FakeWallClock clock(kMorning);
        ItemJournal journal(file, &clock);
        ModClock s;
        journal.follow(s);
        for (int i = 1; i <= 30; ++i)
            s.add(NewItem {QStringLiteral("PC%1").arg(i), QStringLiteral("C*0.1"), 0, true}, clock.moment());
        qint64 longest = 0;
        for (int day = 0; day < 3; ++day) {
            busyMinutes(s, clock, 0, 24 * 60, Leaves | Stops);
            longest = std::max(longest, QFileInfo(file).size());
        }
        // Without being cut down, a day's signs of life alone would pass this.
        QCOMPARE_LT(longest, 100000);
        ModClock restored;
        ItemJournal(file, &clock).restore(restored, clock.moment());
        compareItems(s, restored);
    }
};

QTEST_GUILESS_MAIN(TestJournalCompaction)

#include "tst_JournalCompaction.moc"
