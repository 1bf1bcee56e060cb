// Operators' turns at the counter: each cash-up holds its own bills, whatever the clock did after
// the hand-over, and a shift outlives a restart and midnight.

#include "FakeWallClock.h"
#include "timing/DayLedger.h"
#include "timing/DayTakings.h"
#include "timing/PeriodTakings.h"
#include "timing/ShiftRecord.h"
#include "timing/ShiftTakings.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const QDate kDay(2026, 12, 7);

QStringList names(const DayTakings &t)
{
    QStringList out;
    for (const DayTakings::Line &line : t.settled)
        out << line.name;
    return out;
}

void bill(DayLedger &ledger, const QString &name, double fee, const QDateTime &at, const QList<GoodsLine> &goods = {})
{
    ledger.left(ItemBill {name, QStringLiteral("5*C/60"), 60, fee, {}, {}, {}, goods}, LeaveHow::Ended, at);
}
} // namespace

class TestShifts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A day shift and a night shift past midnight; after the first hand-over the clock is set back
    // an hour, so a bill is written with an instant inside the shift already handed over.
    void eachShiftHoldsItsOwnBills()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        FakeWallClock clock(QDateTime(kDay, QTime(8, 0)));
        ShiftRecord shifts(ledger, clock);
        shifts.begin(QStringLiteral("  张三 "));
        bill(ledger, QStringLiteral("PC1"), 5, QDateTime(kDay, QTime(9, 0)));
        bill(ledger, QStringLiteral("PC3"), 2, QDateTime(kDay, QTime(10, 0)), {{QStringLiteral("可乐"), 3.5, 1}});
        clock.set(QDateTime(kDay, QTime(14, 0)));
        const std::optional<Shift> day = shifts.handOver(QStringLiteral("李四"));
        QVERIFY(day && day->operatorName == QStringLiteral("张三") && day->to == clock.now());
        bill(ledger, QStringLiteral("PC2"), 4, QDateTime(kDay, QTime(13, 0)));
        bill(ledger, QStringLiteral("PC4"), 1, QDateTime(kDay, QTime(23, 50)));
        bill(ledger, QStringLiteral("PC5"), 2, QDateTime(kDay.addDays(1), QTime(0, 30)));
        clock.set(QDateTime(kDay.addDays(1), QTime(6, 0)));
        const Shift night = *shifts.current();
        QVERIFY(shifts.handOver());
        QVERIFY(!shifts.current());
        bill(ledger, QStringLiteral("PC6"), 9, QDateTime(kDay.addDays(1), QTime(6, 30)));

        const DayTakings first = ShiftTakings::settledIn(ledger, *day, clock.now());
        QCOMPARE(names(first), (QStringList {"PC1", "PC3"}));
        QCOMPARE(DayTakings::due(first.settled), 10.5);
        const DayTakings second = ShiftTakings::settledIn(ledger, Shift {night.operatorName, night.from, clock.now()},
                                                          clock.now());
        QCOMPARE(names(second), (QStringList {"PC2", "PC4", "PC5"}));
        QCOMPARE(DayTakings::due(second.settled), 7.0);

        // The night shift is one line of the period, its bills from both days; the bill after the
        // last hand-over stands apart.
        const PeriodTakings period = PeriodTakings::of(ledger, kDay, kDay.addDays(1));
        QCOMPARE(period.shifts.size(), 3);
        QCOMPARE(period.shifts[0].shift, *day);
        QCOMPARE(period.shifts[0].total(), 10.5);
        QCOMPARE(period.shifts[1].shift.operatorName, QStringLiteral("李四"));
        QCOMPARE(period.shifts[1].bills, 3);
        QCOMPARE(period.shifts[1].total(), 7.0);
        QVERIFY(!period.shifts[2].shift.from.isValid());
        QCOMPARE(period.shifts[2].total(), 9.0);
        QCOMPARE(period.total(), 26.5);

        // The next day's lines before the hand-over are the night operator's in the day view too.
        const DayTakings nextDay = DayTakings::settledOf(ledger, kDay.addDays(1), {});
        QCOMPARE(nextDay.shiftOf(nextDay.settled[0]), QStringLiteral("李四"));
        QCOMPARE(nextDay.shiftOf(nextDay.settled[1]), QString());
    }

    // The shift on duty is the ledger's: a restart takes it up, from days back, and a hand-over to
    // nobody leaves nobody on duty. A ledger that never kept shifts has none.
    void theShiftOnDutyOutlivesARestart()
    {
        QTemporaryDir folder;
        DayLedger ledger(folder.path());
        FakeWallClock clock(QDateTime(kDay, QTime(22, 0)));
        bill(ledger, QStringLiteral("PC1"), 5, clock.now());
        QVERIFY(!ShiftTakings::openShift(ledger, clock.now()));
        QVERIFY(PeriodTakings::of(ledger, kDay, kDay).shifts.isEmpty());
        QVERIFY(!DayTakings::settledOf(ledger, kDay, {}).withShifts());

        ShiftRecord(ledger, clock).begin(QStringLiteral("王五"));
        clock.set(QDateTime(kDay.addDays(2), QTime(7, 0)));
        ShiftRecord restarted(ledger, clock);
        restarted.restore();
        QVERIFY(restarted.current());
        QCOMPARE(*restarted.current(), (Shift {QStringLiteral("王五"), QDateTime(kDay, QTime(22, 0)), {}}));

        QVERIFY(restarted.handOver());
        ShiftRecord again(ledger, clock);
        again.restore();
        QVERIFY(!again.current());

        // A clock 30 minutes fast past midnight when the shift began and a bill was taken, put right
        // before the restart: the shift and its bill are still the ones on duty.
        FakeWallClock fast(QDateTime(kDay.addDays(4), QTime(0, 10)));
        ShiftRecord(ledger, fast).begin(QStringLiteral("赵六"));
        bill(ledger, QStringLiteral("PC7"), 4, QDateTime(kDay.addDays(4), QTime(0, 15)));
        FakeWallClock right(QDateTime(kDay.addDays(3), QTime(23, 46)));
        ShiftRecord putRight(ledger, right);
        putRight.restore();
        QVERIFY(putRight.current());
        QCOMPARE(putRight.current()->operatorName, QStringLiteral("赵六"));
        const DayTakings sofar = ShiftTakings::settledIn(ledger, *putRight.current(), right.now());
        QCOMPARE(names(sofar), QStringList {"PC7"});
        QCOMPARE(sofar.date, right.now().date()); // the day the seats still open are counted on
        // Handed over by the clock put right, before the instant it began: a hand-over all the same.
        right.advanceSecs(60);
        QVERIFY(putRight.handOver());
        const DayTakings handedOver = DayTakings::settledOf(ledger, kDay.addDays(4), {});
        QCOMPARE(handedOver.skipped, 0);
        QVERIFY(!ShiftTakings::openShift(ledger, right.now()));
    }
};

QTEST_GUILESS_MAIN(TestShifts)
#include "tst_Shifts.moc"
