#include "timing/JournalLines.h"
#include "timing/ModClock.h"
#include "timing/SchemeBands.h"
#include "timing/Tariff.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kDayAndNight = QStringLiteral("08:00 4*C/60; 18:00 6*C/60; 23:00 MIN(15,3*C/60)");
const QDate kDay(2026, 12, 8);

// The moment that many minutes after 21:30:20 on both clocks.
Moment after(double minutes, qint64 wallShiftMs = 0)
{
    const qint64 ms = qint64(minutes * 60000);
    return Moment(QDateTime(kDay, QTime(21, 30, 20)).addMSecs(ms + wallShiftMs), 1000 + ms);
}

// Refreshes the list at every minute up to minutes, as the clock would, the wall clock shifted.
void runTo(ModClock &s, double from, double minutes, qint64 wallShiftMs = 0)
{
    for (double m = from; m <= minutes; ++m) {
        const Moment now = after(m, wallShiftMs);
        s.refreshRunning(now, now.wall.time());
    }
}

ItemBill leaveNow(ModClock &s, const Moment &now)
{
    QSignalSpy left(&s, &ModClock::left);
    s.leave(1, LeaveHow::Ended, now);
    return left.at(0).at(0).value<QList<ItemBill>>().at(0);
}
} // namespace

class TestTariff : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bandsAreReadAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // empty: not bands
        QTest::newRow("three bands") << kDayAndNight << kDayAndNight;
        QTest::newRow("out of order, loosely written")
            << QStringLiteral(" 18:00 6*C/60 ;8:00   4*C/60") << QStringLiteral("08:00 4*C/60; 18:00 6*C/60");
        QTest::newRow("plain formula") << QStringLiteral("5*C/60") << QString();
        QTest::newRow("two bands at one time") << QStringLiteral("08:00 C; 8:00 2*C") << QString();
        QTest::newRow("no such hour") << QStringLiteral("24:00 C") << QString();
        QTest::newRow("a band without formula") << QStringLiteral("08:00 C; 18:00") << QString();
    }
    void bandsAreReadAsWritten()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const std::optional<SchemeBands> bands = SchemeBands::parse(text);
        QCOMPARE(bands ? bands->text() : QString(), read);
    }

    void minutesFallInTheBandOfTheirHour_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<double>("minutes");
        QTest::addColumn<QList<double>>("perBand");
        QTest::newRow("evening into night") << 21 * 60 + 30 << 450.0 << QList<double> {0, 90, 360};
        QTest::newRow("night past midnight into morning") << 23 * 60 << 600.0 << QList<double> {60, 0, 540};
        QTest::newRow("a day and an hour") << 7 * 60 << 1500.0 << QList<double> {600, 300, 600};
        QTest::newRow("part of a minute") << 17 * 60 + 59 << 1.5 << QList<double> {1, 0.5, 0};
    }
    void minutesFallInTheBandOfTheirHour()
    {
        QFETCH(int, from);
        QFETCH(double, minutes);
        QFETCH(QList<double>, perBand);
        QList<double> spread;
        SchemeBands::parse(kDayAndNight)->spread(from, minutes, spread);
        QCOMPARE(spread, perBand);
    }

    void aNightIsCappedAndTheBillTellsEachBand()
    {
        ModClock s;
        s.add(NewItem {QStringLiteral("PC1"), kDayAndNight, 0, true}, after(0));
        runTo(s, 1, 450); // 21:30 to 05:00
        QCOMPARE(s.lvwMain.at(1).minutesShown, 450.0);
        QCOMPARE(s.lvwMain.at(1).fee, 24.0);
        const ItemBill bill = leaveNow(s, after(450.2));
        QCOMPARE(bill.minutes, 450.0);
        QCOMPARE(bill.bands, (QList<double> {0, 90, 360}));
        QCOMPARE(bill.bandFees, (QList<double> {0, 9, 15}));
        QCOMPARE(bill.fee, 24.0);
        QCOMPARE(Tariff::bandLines(bill),
                 (QStringList {QStringLiteral("18:00起 90 分钟 9.00 元"), QStringLiteral("23:00起 360 分钟 15.00 元")}));
    }

    void aClockStepMovesOnlyTheMinutesAfterIt()
    {
        ModClock s;
        s.add(NewItem {QStringLiteral("PC1"), kDayAndNight, 0, true}, after(0));
        runTo(s, 1, 60); // 21:30 to 22:30, evening
        // The wall clock goes two hours forward; the bill still follows the elapsed clock.
        runTo(s, 61, 120, 2 * 3600 * 1000);
        const ItemBill bill = leaveNow(s, after(120, 2 * 3600 * 1000));
        QCOMPARE(bill.minutes, 120.0);
        QCOMPARE(bill.bands, (QList<double> {0, 60, 60}));
    }

    void aRestoreBillsEachBandAsTheRunDid()
    {
        ModClock s;
        s.add(NewItem {QStringLiteral("PC1"), kDayAndNight, 0, true}, after(0));
        QSignalSpy begun(&s, &ModClock::bandBegun);
        runTo(s, 1, 200, 3600 * 1000); // stepped an hour: the night began at the run's 30th minute
        QCOMPARE(begun.size(), 1);
        const QByteArray journal = JournalLines::snapshot(s, after(0).wall, after(200, 3600 * 1000).wall);
        ModClock restored;
        JournalLines::replay(restored, journal, QDateTime(), after(300, 3600 * 1000).wall, nullptr);
        QCOMPARE(restored.lvwMain.at(1).banded->minutes, s.lvwMain.at(1).banded->minutes);
        QCOMPARE(restored.lvwMain.at(1).banded->sessionBanded, 200.0);
    }

    void moneyRunsOutAcrossABandChange()
    {
        ModClock s;
        // 17:30: half an hour at 4 an hour (2.00), then 3.00 more at 6 an hour is another half hour.
        s.add(NewItem {QStringLiteral("PC1"), kDayAndNight, 0, true}, Moment(QDateTime(kDay, QTime(17, 30, 20)), 0));
        const Moment set(QDateTime(kDay, QTime(17, 40, 20)), 10 * 60000);
        s.refreshRunning(set, set.wall.time());
        QCOMPARE(s.setLimit(1, ItemLimit::Kind::Money, 5, true, set), QString());
        QCOMPARE(s.lvwMain.at(1).limit.limitMinutes, 60.0);
        for (int m = 11; m <= 70; ++m) {
            const Moment now(QDateTime(kDay, QTime(17, 30, 20)).addSecs(m * 60), qint64(m) * 60000);
            s.refreshRunning(now, now.wall.time());
        }
        QVERIFY(!s.lvwMain.at(1).running);
        QCOMPARE(s.lvwMain.at(1).total, 60.0);
        QCOMPARE(s.lvwMain.at(1).banded->minutes, (QList<double> {30, 30, 0}));
        QCOMPARE(s.lvwMain.at(1).fee, 5.0);
    }
};

QTEST_GUILESS_MAIN(TestTariff)
#include "tst_Tariff.moc"
