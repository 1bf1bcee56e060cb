// The day's ledger: what a crash, midnight and a failing disk do to it.

#include "timing/ChecksummedLine.h"
#include "timing/DayLedger.h"
#include "timing/DayTakings.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"
#include "timing/PeriodTakings.h"
#include "timing/TimingOperations.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace TimingOperations;

namespace {
const QDate kDay(2026, 12, 7);

QDateTime at(const QDate &day, int h, int m)
{
    return QDateTime(day, QTime(h, m));
}

QStringList names(const LedgerDay &d)
{
    QStringList out;
    for (const LedgerEntry &e : d.entries)
        out << e.name;
    return out;
}
} // namespace

class TestDayLedger : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A power cut while a line was being written leaves it cut short; the next run appends after
    // it, and the day reads with that line alone skipped.
    void aLineCutShortByACrashCostsOnlyThatLine()
    {
        QTemporaryDir folder;
        const QString path = DayLedger(folder.path()).pathFor(kDay);
        {
            DayLedger ledger(folder.path());
            ledger.left(QStringLiteral("PC1"), QStringLiteral("5*C/60"), true, 30, 2.5, at(kDay, 10, 30));
            ledger.left(QStringLiteral("PC2"), QStringLiteral("5*C/60"), false, 60, 5, at(kDay, 11, 0));
        }
        QFile file(path);
        QVERIFY(file.resize(file.size() - 7));

        DayLedger restarted(folder.path());
        restarted.left(QStringLiteral("PC3"), QStringLiteral("3*C/60"), true, 20, 1, at(kDay, 12, 0));
        const LedgerDay d = restarted.read(kDay);
        QCOMPARE(names(d), (QStringList {QStringLiteral("PC1"), QStringLiteral("PC3")}));
        QCOMPARE(d.skipped, 1);
        QCOMPARE(d.minutes(), 50.0);
        QCOMPARE(d.fees(), 3.5);
    }

    // A line with a good checksum may still hold what this program never writes: it is skipped
    // and counted, and the day's totals stay numbers.
    void implausibleLinesAreSkipped_data()
    {
        QTest::addColumn<QString>("line"); // the fields, | between them, "T" before 10:30 of the day
        QTest::newRow("nan minutes") << QStringLiteral("left|T10:30|PC9|C|1|nan|1");
        QTest::newRow("inf fee") << QStringLiteral("left|T10:30|PC9|C|1|30|inf");
        QTest::newRow("1e308 minutes") << QStringLiteral("left|T10:30|PC9|C|1|1e308|1");
        QTest::newRow("1e308 fee") << QStringLiteral("left|T10:30|PC9|C|1|30|1e308");
        QTest::newRow("dated 1926") << QStringLiteral("left|1926-12-07T10:30|PC9|C|1|30|1");
        QTest::newRow("another day") << QStringLiteral("left|2026-12-08T10:30|PC9|C|1|30|1");
        QTest::newRow("after the reading") << QStringLiteral("left|T23:00|PC9|C|1|30|1");
        QTest::newRow("negative session") << QStringLiteral("session|T10:00|T10:30|PC9|C|-500");
        QTest::newRow("goods at a fraction of a fen") << QStringLiteral("goods|T10:30|PC9|cola|3.505|1");
        QTest::newRow("goods of no quantity") << QStringLiteral("goods|T10:30|PC9|cola|3|0");
        QTest::newRow("goods without a name") << QStringLiteral("goods|T10:30|PC9||3|1");
        QTest::newRow("session from 1926") << QStringLiteral("session|1926-12-07T10:00|T10:30|PC9|C|30");
    }
    void implausibleLinesAreSkipped()
    {
        QFETCH(QString, line);
        line.replace(QStringLiteral("|T"), QStringLiteral("|2026-12-07T")).replace(u'|', u'\t');
        line.replace(QStringLiteral(":00\t"), QStringLiteral(":00:00.000+08:00\t"));
        line.replace(QStringLiteral(":30\t"), QStringLiteral(":30:00.000+08:00\t"));
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        const QDateTime noon(kDay, QTime(12, 0), QTimeZone(8 * 3600));
        ledger.left(QStringLiteral("PC1"), QStringLiteral("5*C/60"), true, 30, 2.5, noon.addSecs(-3600));
        QFile file(ledger.pathFor(kDay));
        QVERIFY(file.open(QIODevice::Append));
        file.write(ChecksummedLine::encode(line.split(u'\t')));
        file.close();
        const LedgerDay d = ledger.read(kDay, noon);
        QCOMPARE(d.skipped, 1);
        QCOMPARE(d.fees(), 2.5);
    }

    // A session is billed on the day it ended, whole; stopping every item writes every session.
    void aSessionAcrossMidnightBelongsToTheDayItEnded()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        ModClock state;
        ledger.follow(state);
        state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 23, 30));
        state.add(NewItem {QStringLiteral("PC2"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 23, 50));
        state.setAll(false, at(kDay.addDays(1), 0, 40));

        QVERIFY(!QFile::exists(ledger.pathFor(kDay)));
        const LedgerDay next = ledger.read(kDay.addDays(1));
        QCOMPARE(names(next), (QStringList {QStringLiteral("PC1"), QStringLiteral("PC2")}));
        QCOMPARE(next.entries.front().minutes, 70.0);
        QCOMPARE(next.entries.front().start, at(kDay, 23, 30));
    }

    // Closing the program with items on the list: the list goes, their bills stay in the day.
    void itemsListedAtExitLeaveWithTheirBills()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        ModClock state;
        ledger.follow(state);
        state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 10, 0));
        state.add(NewItem {QStringLiteral("PC2"), QStringLiteral("5*C/60"), 30, false}, at(kDay, 10, 0));
        state.setLimit(2, ItemLimit::Kind::Money, 10, false, at(kDay, 10, 0));
        state.leaveAll(at(kDay, 10, 45));
        // A limit no run writes costs the line its limit, never its bill.
        ItemLimit hostile;
        hostile.kind = ItemLimit::Kind::Minutes;
        hostile.amount = -5;
        ledger.left(QStringLiteral("PC3"), QStringLiteral("C"), true, 0, 0, at(kDay, 10, 50), hostile);

        LedgerDay d = DayLedger(folder.path()).read(kDay);
        d.entries.erase(d.entries.begin()); // PC1's session, ended with the program before its bill
        QVERIFY(d.entries.size() == 3 && !d.entries.back().limit.isSet());
        d.entries.pop_back();
        QCOMPARE(names(d), (QStringList {QStringLiteral("PC1"), QStringLiteral("PC2")}));
        QVERIFY(d.entries.front().atExit && !d.entries.front().ended);
        QCOMPARE(d.entries.front().minutes, 45.0);
        QCOMPARE(d.minutes(), 75.0);
        QCOMPARE(d.fees(), 6.25);
        QCOMPARE(d.entries.back().limit.text(), QStringLiteral("10.00 元"));
        QVERIFY(!d.entries.front().limit.isSet()); // a line as before limits
    }

    // Goods follow their item's bill on lines of their own, the bill's fee the time's alone; a
    // customer who moved seats leaves one bill under the new name, the scheme's first minutes
    // charged once. A restore after a crash books none of it twice.
    void goodsAndMovedItemsAreBookedWithTheirBill()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        ItemJournal journal(folder.filePath(QStringLiteral("items.journal")));
        {
            ModClock state;
            journal.follow(state);
            ledger.follow(state);
            state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("3+C/60"), 0, true}, at(kDay, 10, 0));
            state.add(NewItem {QStringLiteral("PC2"), QStringLiteral("C"), 0, false}, at(kDay, 10, 0));
            QVERIFY(state.addGoods(1, GoodsLine {QStringLiteral("可乐"), 3.5, 2}, at(kDay, 10, 5)));
            QVERIFY(!state.addGoods(1, GoodsLine {QStringLiteral("可乐"), 3.5, 0}, at(kDay, 10, 5)));
            state.endTiming(1, at(kDay, 10, 30));
            QVERIFY(!state.moveTo(1, QStringLiteral("pc2"), at(kDay, 10, 31)).isEmpty());
            QVERIFY(state.moveTo(1, QStringLiteral("PC3"), at(kDay, 10, 31)).isEmpty());
            state.startTiming(1, at(kDay, 10, 40));
            state.leave(1, LeaveHow::Ended, at(kDay, 11, 10));
        }
        ModClock restored;
        journal.restore(restored, at(kDay, 11, 20), &ledger);
        const DayTakings day = DayTakings::settledOf(ledger, kDay, QDateTime());
        QCOMPARE(day.settled.size(), 1);
        QCOMPARE(day.settled[0].name, QStringLiteral("PC3"));
        QCOMPARE(day.settled[0].fee, 4.0);
        QCOMPARE(day.settled[0].goods, 7.0);
        QCOMPARE(DayTakings::machineDue(day.settled), 4.0);
        QCOMPARE(DayTakings::goodsDue(day.settled), 7.0);
        QCOMPARE(DayTakings::due(day.settled), 11.0);
        const PeriodTakings period = PeriodTakings::of(ledger, kDay, kDay);
        QCOMPARE(period.items.size(), 2); // PC1's session, booked before the move
        QCOMPARE(period.items[1].goods, 7.0);
        QCOMPARE(period.due(), 4.0);
        QCOMPARE(period.total(), 11.0);
        QCOMPARE(period.buckets[11].due, 11.0);
    }

    // Sessions replayed from the journal after a crash were written when they first ended.
    void restoringTheJournalBooksNothingTwice()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        ItemJournal journal(folder.filePath(QStringLiteral("items.journal")));
        {
            ModClock state;
            journal.follow(state);
            ledger.follow(state);
            state.add(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 10, 0));
            state.endTiming(1, at(kDay, 10, 30));
        }
        ModClock restored;
        QCOMPARE(journal.restore(restored, at(kDay, 11, 0), &ledger).entries, 2);
        ledger.follow(restored);
        QCOMPARE(ledger.read(kDay).entries.size(), size_t(1));
        // Declined instead: the item leaves with its bill, and the session is not written again.
        QVERIFY(journal.settle(&ledger, at(kDay, 11, 0)));
        QFile file(ledger.pathFor(kDay));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count('\n'), 2);
    }

    // A disk that refuses the line is told once, not at every session; the line waits and reaches
    // the file with the next one once writing works again, and nothing is counted twice.
    void aFailedWriteIsToldOnceAndTriedAgain()
    {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("ledger"));
        QFile blocker(folder); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        DayLedger ledger(folder);
        QStringList told;
        ledger.onFailure = [&told](const QString &path) { told << path; };
        ledger.left(QStringLiteral("PC1"), QStringLiteral("5*C/60"), true, 30, 2.5, at(kDay, 10, 30));
        ledger.left(QStringLiteral("PC2"), QStringLiteral("5*C/60"), true, 60, 5, at(kDay, 11, 0));
        QCOMPARE(told, QStringList {ledger.pathFor(kDay)});
        QVERIFY(!ledger.writing());

        QVERIFY(QFile::remove(folder));
        ledger.left(QStringLiteral("PC3"), QStringLiteral("5*C/60"), true, 12, 1, at(kDay, 12, 0));
        QVERIFY(ledger.writing());
        QCOMPARE(told.size(), 1);
        const LedgerDay d = ledger.read(kDay);
        QCOMPARE(names(d), (QStringList {QStringLiteral("PC1"), QStringLiteral("PC2"), QStringLiteral("PC3")}));
        QCOMPARE(d.fees(), 8.5);
    }

    // The fast reading of instants must give exactly what Qt's own parser gives, for the form the
    // program writes and for look-alikes it must leave to Qt or refuse.
    void instantsReadAsQtReadsThem_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("east") << QStringLiteral("2026-12-07T10:30:00.250+08:00");
        QTest::newRow("west, half hour") << QStringLiteral("2026-12-07T23:59:59.999-03:30");
        QTest::newRow("UTC") << QStringLiteral("2026-12-07T00:00:00.000Z");
        QTest::newRow("zero offset") << QStringLiteral("2026-12-07T10:30:00.000+00:00");
        QTest::newRow("hour 24") << QStringLiteral("2026-12-07T24:00:00.000+08:00");
        QTest::newRow("30 February") << QStringLiteral("2026-02-30T10:30:00.000+08:00");
        QTest::newRow("offset 15 hours") << QStringLiteral("2026-12-07T10:30:00.000+15:00");
        QTest::newRow("letters") << QStringLiteral("2026-1x-07T10:30:00.000+08:00");
        QTest::newRow("no milliseconds") << QStringLiteral("2026-12-07T10:30:00+08:00");
    }
    void instantsReadAsQtReadsThem()
    {
        QFETCH(QString, field);
        const QDateTime qt = QDateTime::fromString(field, Qt::ISODateWithMs);
        const QDateTime read = ChecksummedLine::instant(field);
        QCOMPARE(read.isValid(), qt.isValid());
        if (qt.isValid()) {
            QCOMPARE(read.toMSecsSinceEpoch(), qt.toMSecsSinceEpoch());
            QCOMPARE(read.offsetFromUtc(), qt.offsetFromUtc());
        }
    }

    // A period adds up its days as the day view does: a session across midnight on the day it
    // ended, bills rounded to the fen before they are summed, nothing from outside the period.
    void aPeriodSumsItsDaysAsTheDayViewDoes()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        const QDate monday(2026, 12, 7);
        ledger.left(QStringLiteral("PC9"), QStringLiteral("C"), true, 60, 5, at(monday.addDays(-1), 20, 0));
        ledger.booked(QStringLiteral("PC2"), QStringLiteral("C"), at(monday.addDays(-1), 23, 30), at(monday, 0, 40),
                      70);
        ledger.left(QStringLiteral("PC2"), QStringLiteral("C"), true, 70, 1.005, at(monday, 1, 0));
        ledger.left(QStringLiteral("PC2"), QStringLiteral("C"), false, 10, 1.005, at(monday.addDays(2), 9, 0));
        ledger.left(QStringLiteral("PC10"), QStringLiteral("C"), true, 40, 2.675, at(monday.addDays(2), 9, 0));
        QFile file(ledger.pathFor(monday.addDays(2)));
        QVERIFY(file.open(QIODevice::Append));
        file.write("left\tdamaged\n");
        file.close();

        const PeriodTakings week = PeriodTakings::of(ledger, monday, monday.addDays(6));
        QCOMPARE(week.items.size(), 2);
        QCOMPARE(week.items[0].name, QStringLiteral("PC2")); // before PC10, as numbered
        QCOMPARE(week.items[0].sessions, 1);
        QCOMPARE(week.items[0].minutes, 80.0);
        QCOMPARE(week.items[0].due, 2.02);
        QCOMPARE(week.due(), 4.70);
        QCOMPARE(week.share(week.items[1]), 40.0 / 120);
        QCOMPARE(week.buckets.size(), 7);
        QCOMPARE(week.buckets[0].minutes, 70.0);
        QCOMPARE(week.buckets[2].due, 3.69);
        QCOMPARE(week.busyHours[0].minutes, 40.0); // 23:30 to midnight was the week before
        QCOMPARE(week.busyHours[23].minutes, 0.0);
        QCOMPARE(week.skipped, 1);
        QCOMPARE(week.days, 2);

        const PeriodTakings sunday = PeriodTakings::of(ledger, monday.addDays(-1), monday.addDays(-1));
        QCOMPARE(sunday.due(), 5.0);
        QCOMPARE(sunday.buckets.size(), 24); // one day: its hours
        QCOMPARE(sunday.buckets[20].due, 5.0);
        QCOMPARE(PeriodTakings::of(ledger, monday, monday.addDays(-1)).items.size(), 0);
        // Read on Wednesday at noon, the days after it are still to come; so are that day's later hours.
        const QDateTime noon = at(monday.addDays(2), 12, 0);
        QCOMPARE(PeriodTakings::of(ledger, monday, monday.addDays(6), noon).buckets[2].future, false);
        QCOMPARE(PeriodTakings::of(ledger, monday, monday.addDays(6), noon).buckets[3].future, true);
        QCOMPARE(PeriodTakings::of(ledger, monday.addDays(2), monday.addDays(2), noon).buckets[13].future, true);
        QCOMPARE(week.buckets[6].future, false); // read with no moment: nothing is to come

        // A read cancelled part way shows nothing half-summed.
        LedgerReadControl stopped;
        stopped.cancel = true;
        const PeriodTakings none = PeriodTakings::of(ledger, monday, monday.addDays(6), {}, &stopped);
        QVERIFY(none.cancelled);
        QCOMPARE(none.items.size() + none.buckets.size() + none.busyHours.size(), 0);
        QCOMPARE(none.days + none.lines, 0);
    }

    // A file that is there but cannot be read is told, never summed as a day without takings; what
    // is not a file (a FIFO, a folder) still reads as no file, without waiting.
    void aFileThatCannotBeReadIsTold_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("unreadable"); // of the three days around it
        QTest::newRow("no file") << QStringLiteral("none") << 0;
        QTest::newRow("a folder in its place") << QStringLiteral("folder") << 0;
        QTest::newRow("a FIFO in its place") << QStringLiteral("fifo") << 0;
        QTest::newRow("ledger folder is a file") << QStringLiteral("folder is a file") << 3;
        QTest::newRow("no permission") << QStringLiteral("chmod 000") << 1;
        QTest::newRow("folder not searchable") << QStringLiteral("folder without x") << 3;
    }
    void aFileThatCannotBeReadIsTold()
    {
        QFETCH(QString, how);
        QFETCH(int, unreadable);
        QTemporaryDir top;
        const QString folder = top.filePath(QStringLiteral("ledger"));
        DayLedger(folder).left(QStringLiteral("PC1"), QStringLiteral("C"), true, 30, 2.5, at(kDay, 10, 30));
        const QString path = DayLedger(folder).pathFor(kDay);
#ifdef Q_OS_WIN
        if (how != QStringLiteral("none") && how != QStringLiteral("folder"))
            QSKIP("Made with POSIX permissions and FIFOs");
#else
        // Root reads whatever the permissions say; a path through a file fails for root as well.
        if (how.startsWith(QStringLiteral("chmod")) || how.endsWith(QStringLiteral("without x")))
            if (::geteuid() == 0)
                QSKIP("Root reads files whatever their permissions");
        if (how == QStringLiteral("fifo"))
            QVERIFY(QFile::remove(path) && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        if (how == QStringLiteral("chmod 000"))
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0) == 0);
        if (how == QStringLiteral("folder without x"))
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0600) == 0);
        const auto searchable = qScopeGuard([&] { ::chmod(QFile::encodeName(folder).constData(), 0700); });
#endif
        if (how == QStringLiteral("none"))
            QVERIFY(QFile::remove(path));
        if (how == QStringLiteral("folder"))
            QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        if (how == QStringLiteral("folder is a file"))
            QVERIFY(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));

        const LedgerDay day = DayLedger(folder).read(kDay);
        QCOMPARE(day.unreadable, unreadable > 0);
        QVERIFY(day.entries.empty());
        const PeriodTakings week = PeriodTakings::of(DayLedger(folder), kDay.addDays(-1), kDay.addDays(1));
        QCOMPARE(week.unreadable, unreadable);
        QCOMPARE(week.items.size(), 0);
    }

    // The file is read a piece at a time: lines cut by a piece's end read whole, a copy of every
    // line (a retried write) counts once, and a line too long to be one of ours is skipped alone.
    void aLongFileReadsAsWritten()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        {
            const DayLedger::Batch batch(&ledger);
            for (int k = 0; k < 4000; ++k)
                ledger.left(QStringLiteral("PC%1").arg(k), QStringLiteral("C"), true, 1, 0.25, at(kDay, 10, 30));
        }
        QFile file(ledger.pathFor(kDay));
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray lines = file.readAll();
        QVERIFY(lines.size() > 3 * 64 * 1024);
        file.write(lines + QByteArray(3 << 20, 'x') + '\n');
        file.close();
        ledger.left(QStringLiteral("LAST"), QStringLiteral("C"), true, 1, 0.25, at(kDay, 11, 0));

        const LedgerDay day = ledger.read(kDay);
        QCOMPARE(day.entries.size(), size_t(4001));
        QCOMPARE(day.skipped, 1);
        QCOMPARE(day.entries.back().name, QStringLiteral("LAST"));
        QCOMPARE(day.fees(), 1000.25);
    }

    // The busy hours of a day are its real hours: 23 or 25 on a day the clocks change, each named
    // once, and a session across the change counts the minutes that really passed.
    void busyHoursFollowTheClockChanges_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("hours");
        QTest::newRow("spring forward") << QByteArray("Europe/Berlin") << QDate(2026, 3, 29) << 23;
        QTest::newRow("fall back") << QByteArray("Europe/Berlin") << QDate(2026, 10, 25) << 25;
        QTest::newRow("no change") << QByteArray("Asia/Shanghai") << QDate(2026, 10, 25) << 24;
    }
    void busyHoursFollowTheClockChanges()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        QFETCH(int, hours);
        qputenv("TZ", zone);
        const auto restore = qScopeGuard([] { qunsetenv("TZ"); });
        const QDateTime july(QDate(day.year(), 7, 1), QTime(12, 0));
        if (july.offsetFromUtc() != QTimeZone(zone).offsetFromUtc(july))
            QSKIP("Local time does not follow TZ here (Windows takes the zone from its settings)");
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        const QDateTime start(day, QTime(0, 30));
        ledger.booked(QStringLiteral("PC1"), QStringLiteral("C"), start, start.addSecs(4 * 3600), 240);

        const PeriodTakings one = PeriodTakings::of(ledger, day, day);
        QCOMPARE(one.busyHours.size(), hours);
        QCOMPARE(one.buckets.size(), hours);
        QSet<QString> labels;
        double minutes = 0;
        for (const PeriodTakings::Hour &hour : one.busyHours)
            labels.insert(hour.label), minutes += hour.minutes;
        QCOMPARE(labels.size(), hours);
        QCOMPARE(minutes, 240.0);
        QCOMPARE(one.busyHours[0].minutes, 30.0);

        const PeriodTakings week = PeriodTakings::of(ledger, day.addDays(-3), day.addDays(3));
        QCOMPARE(week.busyHours.size(), 24);
        QCOMPARE(week.busyHours[1].minutes, 60.0);
    }
};

QTEST_GUILESS_MAIN(TestDayLedger)
#include "tst_DayLedger.moc"
