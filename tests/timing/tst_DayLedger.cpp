// The day's ledger: what a crash, midnight and a failing disk do to it.

#include "timing/ChecksummedLine.h"
#include "timing/DayLedger.h"
#include "timing/ItemJournal.h"
#include "timing/ModClock.h"
#include "timing/TimingOperations.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

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
        QTest::newRow("dated 1926") << QStringLiteral("left|1926-12-07T10:30|PC9|C|1|30|1");
        QTest::newRow("another day") << QStringLiteral("left|2026-12-08T10:30|PC9|C|1|30|1");
        QTest::newRow("after the reading") << QStringLiteral("left|T23:00|PC9|C|1|30|1");
        QTest::newRow("negative session") << QStringLiteral("session|T10:00|T10:30|PC9|C|-500");
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
};

QTEST_GUILESS_MAIN(TestDayLedger)
#include "tst_DayLedger.moc"
