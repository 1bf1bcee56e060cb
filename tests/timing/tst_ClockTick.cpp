#include "formula/CompiledScheme.h"
#include "formula/FormulaEvaluator.h"
#include "timing/ClockTick.h"
#include "timing/ModClock.h"
#include "timing/Tariff.h"
#include "timing/SchemeFee.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <bit>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace {
QDateTime at(int h, int m, int s = 0)
{
    return QDateTime(QDate(2026, 12, 7), QTime(h, m, s));
}

int addItem(ModClock &s, const QString &name, const QString &scheme, bool start, const QDateTime &now,
            double minutes = 0)
{
    return s.add(NewItem {name, scheme, minutes, start}, now);
}
} // namespace

class TestClockTick : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("zh_CN"))); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void refreshShowsMinutesAndFeeAtTheNewMinute()
    {
        ModClock s;
        addItem(s, QStringLiteral("PC1"), QStringLiteral("5*C/60"), false, at(9, 0), 30);
        s.startTiming(1, at(10, 5, 40));
        ClockTick tick(s);
        const ClockTick::Result r = tick.tick(at(10, 8, 0));
        QVERIFY(r.refreshed);
        QCOMPARE(r.caption, QStringLiteral("正在计时...2026/12/7 10:08:00"));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColUpTo), QStringLiteral("10:08"));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("33"));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColResult), QStringLiteral("2.75"));
        QCOMPARE(s.cTotal.item(1), 30.0); // only ending a session books
    }

    // Under an event loop a long list is brought up a slice at a time; an item leaving between two
    // slices neither skips a row nor stops the rest, and the refresh is told once, at the end.
    void aLongListIsRefreshedInSlicesWithoutLosingARow()
    {
        ModClock s;
        for (int i = 1; i <= 5000; ++i)
            addItem(s, QStringLiteral("PC%1").arg(i), QStringLiteral("C"), true, at(10, 0));
        QSignalSpy refreshed(&s, &ModClock::refreshed);
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            s.refreshRunning(at(10, 7), QTime(10, 7));
            QCOMPARE(refreshed.size(), 0);
            QCOMPARE(s.lvwMain.text(5000, ItemRowModel::ColMinutes), QStringLiteral("0"));
            s.leave(1, LeaveHow::Removed, at(10, 7));
            // After the first slice, before the second.
            QTimer::singleShot(0, &loop, [&] { s.leave(4000, LeaveHow::Removed, at(10, 7)); });
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
        });
        loop.exec();
        QTRY_COMPARE(refreshed.size(), 1);
        for (int i = 1; i <= s.lvwMain.count(); ++i)
            QCOMPARE(s.lvwMain.text(i, ItemRowModel::ColMinutes), QStringLiteral("7"));
    }

    void secondTickInAMinuteOnlyRewritesTheCaption()
    {
        ModClock s;
        addItem(s, QStringLiteral("PC1"), QStringLiteral("C"), true, at(10, 0));
        ClockTick tick(s);
        QVERIFY(tick.tick(at(10, 1, 0)).refreshed);
        QSignalSpy changed(&s.lvwMain, &QAbstractItemModel::dataChanged);
        const ClockTick::Result r = tick.tick(at(10, 1, 59));
        QVERIFY(!r.refreshed);
        QCOMPARE(changed.size(), 0);
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("1"));
        QCOMPARE(r.caption, QStringLiteral("正在计时...2026/12/7 10:01:59"));
        QVERIFY(tick.tick(at(10, 2, 0)).refreshed);
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("2"));
    }

    // The clock set 2 h 20 s forward: the caption and the refresh's minute follow it at once, the
    // minutes follow real time and turn when the session's own minute does, between wall minutes.
    void aSetClockMovesNoMinutes()
    {
        ModClock s;
        s.add(NewItem {QStringLiteral("PC1"), QStringLiteral("C"), 0, true}, Moment(at(10, 0), 0));
        ClockTick tick(s);
        QCOMPARE(tick.tick(Moment(at(12, 0, 50), 30000)).caption, QStringLiteral("正在计时...2026/12/7 12:00:50"));
        QVERIFY(tick.tick(Moment(at(12, 1, 0), 40000)).refreshed);
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("0"));
        QVERIFY(!tick.tick(Moment(at(12, 1, 19), 59000)).refreshed);
        QVERIFY(tick.tick(Moment(at(12, 1, 20), 60000)).refreshed);
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("1"));
    }

    void stoppedItemsKeepWhatTheyShow()
    {
        ModClock s;
        addItem(s, QStringLiteral("PC1"), QStringLiteral("C"), false, at(10, 0), 7);
        ClockTick tick(s);
        tick.tick(at(10, 30));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColUpTo), QStringLiteral("10:00"));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("7"));
    }

    void midnightDoesNotGoNegative()
    {
        ModClock s;
        addItem(s, QStringLiteral("PC1"), QStringLiteral("C"), true, at(23, 50, 10));
        ClockTick tick(s);
        tick.tick(QDateTime(QDate(2026, 12, 8), QTime(0, 15, 0)));
        QCOMPARE(s.lvwMain.text(1, ItemRowModel::ColMinutes), QStringLiteral("25"));
    }

    // The journal's sign of life and the tooltip hang on this: once a minute, saying whether
    // anything is timed.
    void aNewMinuteAnnouncesTheRefresh()
    {
        ModClock s;
        addItem(s, QStringLiteral("PC1"), QStringLiteral("C/60*5"), true, at(10, 0));
        QSignalSpy refreshed(&s, &ModClock::refreshed);
        ClockTick tick(s);
        tick.tick(at(10, 30));
        tick.tick(at(10, 30, 30));
        s.endTiming(1, at(10, 30, 40));
        tick.tick(at(10, 31));
        QCOMPARE(refreshed.size(), 2);
        QCOMPARE(refreshed[0][1].toBool(), true);
        QCOMPARE(refreshed[1][1].toBool(), false);
    }

    void valCalcReplacesEveryC_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<double>("c");
        QTest::addColumn<double>("fee");
        QTest::newRow("per hour") << "5*C/60" << 90.0 << 7.5;
        QTest::newRow("lower case") << "5*c/60" << 90.0 << 7.5;
        QTest::newRow("no C is constant") << "60" << 90.0 << 60.0;
        QTest::newRow("c inside a word breaks the name") << "COS(C)" << 0.0 << 0.0;
        QTest::newRow("negative stays a square") << "C^2" << -5.0 << 25.0;
        QTest::newRow("negative after minus") << "2-C" << -5.0 << 7.0;
        QTest::newRow("large number in exponent form") << "C/1E+20" << 1.5e20 << 1.5;
        QTest::newRow("fraction") << "C*2" << 12.25 << 24.5;
        QTest::newRow("malformed is 0") << "5*C/" << 3.0 << 0.0;
    }
    void valCalcReplacesEveryC()
    {
        QFETCH(QString, formula);
        QFETCH(double, c);
        QFETCH(double, fee);
        ModClock s;
        QCOMPARE(valCalc(s.tariff.evaluator(), formula, c), fee);
    }

    // Random formulas from the grammar's pieces, C also inside words, beside digits and in
    // exponents, at minutes of every kind: the compiled scheme gives the text's value to the last
    // bit, and fails exactly where the text does.
    void compiledSchemeMatchesTheText()
    {
        const QStringList atoms = {"C",   "c",  "C",  "0",   "7",    "2.5",  ".5",    "5.",      "1E+2",  "60",
                                   "COS", "2C", "C2", "C.5", "1E+C", "1e-C", "SIN C", "C (2)",   "ABC",   "cC",
                                   "C,C", "PI", "(",  ")",   "1,2",  "",     "-C^-C", "ABS (C)", "C E+2", " C "};
        const QStringList ops = {"+", "-", "*", "/", "\\", "^", " - ", "*-", "^-"};
        const QStringList functions = {"SQR", "log", "Sin", "COS", "TAN", "MAX", "min", "INT", "FIX", "ROUND", "ABS"};
        const double numbers[] = {0.0,
                                  -0.0,
                                  1,
                                  -1,
                                  90,
                                  87.25,
                                  -30.5,
                                  0.01,
                                  1e15,
                                  1e15 + 1,
                                  123456789012345.5,
                                  1234567890123455,
                                  1.5e20,
                                  -2.5e-7,
                                  1.0 / 3,
                                  3.14159265358979e10,
                                  9.99999999999999e14,
                                  qQNaN(),
                                  qInf(),
                                  -qInf(),
                                  1e308,
                                  5e-324};
        QRandomGenerator rng(7);
        const auto pick = [&rng](const QStringList &from) { return from.at(rng.bounded(int(from.size()))); };
        std::function<QString(int)> formula = [&](int depth) -> QString {
            switch (depth > 0 ? rng.bounded(4) : 0) {
            case 0: return pick(atoms);
            case 1: return formula(depth - 1) + pick(ops) + formula(depth - 1);
            case 2: return "-(" + formula(depth - 1) + ")";
            default:
                return pick(functions) + "(" + formula(depth - 1) + (rng.bounded(4) ? "" : "," + formula(depth - 1))
                    + ")";
            }
        };
        FormulaEvaluator compiledWay, textWay;
        int compiled = 0, values = 0;
        for (int round = 0; round < 4000; ++round) {
            const QString f = formula(rng.bounded(5));
            compiled += compiledWay.compiled(f) != nullptr;
            for (int k = 0; k < 12; ++k) {
                // Hundredths as sessions give them, and one step of a double beside them.
                const double hundredths = (rng.bounded(2000001) - 1000000) / 100.0;
                const double m = k < 3 ? numbers[rng.bounded(int(std::size(numbers)))]
                    : k < 6            ? hundredths
                    : k < 9            ? std::nextafter(hundredths, k % 2 ? 1e9 : -1e9)
                                       : (rng.generateDouble() - 0.5) * std::pow(10.0, rng.bounded(-20, 25));
                const std::optional<double> a = schemeValue(compiledWay, f, m), b = schemeValueByText(textWay, f, m);
                values += b.has_value();
                QVERIFY2(a.has_value() == b.has_value()
                             && (!a || std::bit_cast<quint64>(*a) == std::bit_cast<quint64>(*b)),
                         qPrintable(f + " at " + QString::number(m, 'g', 17)));
            }
        }
        QVERIFY(compiled > 1000 && values > 10000); // both ways and both outcomes are well exercised
    }

    // Random operations in any order never book a negative minute, keep lngItems equal to the
    // number of rows, keep the current item where the last click or new item put it, and keep every
    // row's minutes and fee equal to its bill: the minutes typed in plus its sessions, whatever
    // order starts, ends, ticks and clock steps came in.
    void randomOperationsKeepEverythingInStep()
    {
        ModClock s;
        ClockTick tick(s);
        QRandomGenerator rng(20261207);
        QDateTime now = at(22, 0);
        bool clockOn = false;
        int named = 0;
        QHash<QString, double> typedIn;
        for (int step = 0; step < 10000; ++step) {
            const int n = s.lvwMain.count();
            const int pick = n ? int(rng.bounded(n)) + 1 : 0;
            switch (rng.bounded(9)) {
            case 0: {
                const QString name = QStringLiteral("PC%1").arg(named++ % 60);
                const double minutes = rng.bounded(3) == 0 ? -5.0 : double(rng.bounded(100));
                if (addItem(s, name, QStringLiteral("5*C/60"), rng.bounded(2), now, minutes))
                    typedIn[name] = minutes;
                break;
            }
            case 1: s.startTiming(pick, now); break;
            case 2: s.endTiming(pick, now); break;
            case 3:
                clockOn = !clockOn;
                s.setAll(clockOn, now);
                break;
            case 4: s.remove(pick); break;
            case 5: s.leave(pick, LeaveHow::Removed, now); break;
            case 6:
                // Mostly forward, often across midnight; now and then the clock is set back.
                now = now.addSecs(rng.bounded(8) == 0 ? -qint64(rng.bounded(1, 3600)) : rng.bounded(1, 7200));
                [[fallthrough]];
            default: tick.tick(now); break;
            }
            QCOMPARE(s.lngItems, s.lvwMain.count());
            for (int i = 1; i <= s.lvwMain.count(); ++i) {
                const clsSave &r = s.cSave.item(i);
                QCOMPARE(r.cStart.count(), r.cEnd.count() + (s.cRunning.item(i) ? 1 : 0));
                QCOMPARE(s.lvwMain.tag(i), s.cRunning.item(i));
                QCOMPARE(s.cCount.item(i), r.cStart.count());
                double booked = typedIn.value(s.cName.item(i));
                for (int k = 1; k <= r.cTime.count(); ++k) {
                    QVERIFY(r.cTime.item(k) >= 0);
                    booked += r.cTime.item(k);
                }
                QCOMPARE(s.cTotal.item(i), booked);
                // Every tick reaches the minute now is in, so no row may lag behind its bill.
                const double minutes = TimingOperations::runningMinutes(s.lvwMain, i, now);
                QCOMPARE(s.lvwMain.text(i, ItemRowModel::ColMinutes), TimeText::generalNumber(minutes));
                QCOMPARE(s.lvwMain.text(i, ItemRowModel::ColResult),
                         TimeText::generalNumber(valCalc(s.tariff.evaluator(), s.cItemFangAn.item(i), minutes)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestClockTick)
#include "tst_ClockTick.moc"
