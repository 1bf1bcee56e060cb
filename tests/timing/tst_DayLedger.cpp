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
        const QString path = DayLedger(folder.path()).PathFor(kDay);
        {
            DayLedger ledger(folder.path());
            ledger.Left(QStringLiteral("PC1"), QStringLiteral("5*C/60"), true, 30, 2.5, at(kDay, 10, 30));
            ledger.Left(QStringLiteral("PC2"), QStringLiteral("5*C/60"), false, 60, 5, at(kDay, 11, 0));
        }
        QFile file(path);
        QVERIFY(file.resize(file.size() - 7));

        DayLedger restarted(folder.path());
        restarted.Left(QStringLiteral("PC3"), QStringLiteral("3*C/60"), true, 20, 1, at(kDay, 12, 0));
        const LedgerDay d = restarted.Read(kDay);
        QCOMPARE(names(d), (QStringList {QStringLiteral("PC1"), QStringLiteral("PC3")}));
        QCOMPARE(d.skipped, 1);
        QCOMPARE(d.minutes(), 50.0);
        QCOMPARE(d.fees(), 3.5);
    }

    // A line with a good checksum may still hold what this program never writes: it is skipped
    // and counted, and the day's totals stay numbers.
    void implausibleLinesAreSkipped_data()
    {
        QTest::addColumn<QStringList>("line");
        const QString start = QStringLiteral("2026-12-07T10:00:00.000+08:00");
        const QString end = QStringLiteral("2026-12-07T10:30:00.000+08:00");
        const QString name = QStringLiteral("PC9"), scheme = QStringLiteral("C");
        const auto left = [&](const QString &when, const QString &minutes, const QString &fee) {
            return QStringList {QStringLiteral("left"), when, name, scheme, QStringLiteral("1"), minutes, fee};
        };
        const auto session = [&](const QString &from, const QString &to, const QString &minutes) {
            return QStringList {QStringLiteral("session"), from, to, name, scheme, minutes};
        };
        QTest::newRow("nan minutes") << left(end, QStringLiteral("nan"), QStringLiteral("1"));
        QTest::newRow("inf fee") << left(end, QStringLiteral("30"), QStringLiteral("inf"));
        QTest::newRow("1e308 minutes") << left(end, QStringLiteral("1e308"), QStringLiteral("1"));
        QTest::newRow("dated 1926") << left(QStringLiteral("1926-12-07T10:30:00.000+08:00"), QStringLiteral("30"),
                                            QStringLiteral("1"));
        QTest::newRow("another day") << left(QStringLiteral("2026-12-08T10:30:00.000+08:00"), QStringLiteral("30"),
                                             QStringLiteral("1"));
        QTest::newRow("after the reading")
            << left(QStringLiteral("2026-12-07T23:00:00.000+08:00"), QStringLiteral("30"), QStringLiteral("1"));
        QTest::newRow("negative session") << session(start, end, QStringLiteral("-500"));
        QTest::newRow("session from 1926")
            << session(QStringLiteral("1926-12-07T10:00:00.000+08:00"), end, QStringLiteral("30"));
    }
    void implausibleLinesAreSkipped()
    {
        QFETCH(QStringList, line);
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        const QDateTime noon(kDay, QTime(12, 0), QTimeZone(8 * 3600));
        ledger.Left(QStringLiteral("PC1"), QStringLiteral("5*C/60"), true, 30, 2.5, noon.addSecs(-3600));
        QFile file(ledger.PathFor(kDay));
        QVERIFY(file.open(QIODevice::Append));
        file.write(ChecksummedLine::Encode(line));
        file.close();
        const LedgerDay d = ledger.Read(kDay, noon);
        QCOMPARE(d.skipped, 1);
        QCOMPARE(names(d), QStringList {QStringLiteral("PC1")});
        QCOMPARE(d.fees(), 2.5);
    }

    // A session is billed on the day it ended, whole; stopping every item writes every session.
    void aSessionAcrossMidnightBelongsToTheDayItEnded()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        ModClock state;
        state.ledger = &ledger;
        state.AddItem(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 23, 30));
        state.AddItem(NewItem {QStringLiteral("PC2"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 23, 50));
        SetTimer(state, false, at(kDay.addDays(1), 0, 40));

        QVERIFY(!QFile::exists(ledger.PathFor(kDay)));
        const LedgerDay next = ledger.Read(kDay.addDays(1));
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
        state.ledger = &ledger;
        state.AddItem(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 10, 0));
        state.AddItem(NewItem {QStringLiteral("PC2"), QStringLiteral("5*C/60"), 30, false}, at(kDay, 10, 0));
        LeaveAtExit(state, at(kDay, 10, 45));

        const LedgerDay d = DayLedger(folder.path()).Read(kDay);
        QCOMPARE(names(d), (QStringList {QStringLiteral("PC1"), QStringLiteral("PC2")}));
        QVERIFY(d.entries.front().atExit && !d.entries.front().ended);
        QCOMPARE(d.entries.front().minutes, 45.0);
        QCOMPARE(d.minutes(), 75.0);
        QCOMPARE(d.fees(), 6.25);
    }

    // Sessions replayed from the journal after a crash were written when they first ended.
    void restoringTheJournalBooksNothingTwice()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        ItemJournal journal(folder.filePath(QStringLiteral("items.journal")));
        {
            ModClock state;
            state.journal = &journal;
            state.ledger = &ledger;
            state.AddItem(NewItem {QStringLiteral("PC1"), QStringLiteral("5*C/60"), 0, true}, at(kDay, 10, 0));
            EndTimer(state, at(kDay, 10, 30));
        }
        ModClock restored;
        restored.ledger = &ledger;
        QCOMPARE(journal.Restore(restored, at(kDay, 11, 0)).entries, 2);
        QCOMPARE(ledger.Read(kDay).entries.size(), size_t(1));
        QCOMPARE(restored.ledger, &ledger);
        // Declined instead: the item leaves with its bill, and the session is not written again.
        QVERIFY(journal.Settle(&ledger, at(kDay, 11, 0)));
        QFile file(ledger.PathFor(kDay));
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
        ledger.Left(QStringLiteral("PC1"), QStringLiteral("5*C/60"), true, 30, 2.5, at(kDay, 10, 30));
        ledger.Left(QStringLiteral("PC2"), QStringLiteral("5*C/60"), true, 60, 5, at(kDay, 11, 0));
        QCOMPARE(told, QStringList {ledger.PathFor(kDay)});
        QVERIFY(!ledger.Writing());

        QVERIFY(QFile::remove(folder));
        ledger.Left(QStringLiteral("PC3"), QStringLiteral("5*C/60"), true, 12, 1, at(kDay, 12, 0));
        QVERIFY(ledger.Writing());
        QCOMPARE(told.size(), 1);
        const LedgerDay d = ledger.Read(kDay);
        QCOMPARE(names(d), (QStringList {QStringLiteral("PC1"), QStringLiteral("PC2"), QStringLiteral("PC3")}));
        QCOMPARE(d.fees(), 8.5);
    }
};

QTEST_GUILESS_MAIN(TestDayLedger)
#include "tst_DayLedger.moc"
