#include "DefaultLocale.h"
#include "timing/TimeText.h"
#include "timing/WallClock.h"

#include <QTimeZone>
#include <QtTest>

#include <limits>

class TestTimeText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void longTimeHasNoZone_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zh_CN") << "zh_CN"
                               << "13:05:09";
        QTest::newRow("de_DE") << "de_DE"
                               << "13:05:09";
        QTest::newRow("en_US") << "en_US"
                               << "1:05:09 PM";
    }
    void longTimeHasNoZone()
    {
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(TimeText::longTime(QTime(13, 5, 9), QLocale(locale)), expected);
    }

    void generalDateTimeIsShortDateAndLongTime()
    {
        const QDateTime dt(QDate(2026, 12, 7), QTime(9, 3, 4));
        QCOMPARE(TimeText::generalDateTime(dt, QLocale(QStringLiteral("zh_CN"))), QStringLiteral("2026/12/7 09:03:04"));
    }

    void generalNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 90.0 << "90";
        QTest::newRow("fraction") << 7.5 << "7.5";
        QTest::newRow("noise trimmed") << (0.1 + 0.2) << "0.3";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("negative") << -5.25 << "-5.25";
        QTest::newRow("large uses exponent") << 1.5e20 << "1.5E+20";
        QTest::newRow("15 digits kept") << 123456789012345.0 << "123456789012345";
        QTest::newRow("small") << 0.001 << "0.001";
    }
    void generalNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        // The text is parsed back by formulas, so no locale may put a comma into it.
        const DefaultLocale german(QLocale(QLocale::German));
        QCOMPARE(TimeText::generalNumber(value), text);
    }

    void roundMinutes_data()
    {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::newRow("whole") << 33.0 << 33.0;
        QTest::newRow("two decimals") << 12.5 << 12.5;
        QTest::newRow("half up at third decimal") << 12.345 << 12.35;
        QTest::newRow("down") << 1.234 << 1.23;
        QTest::newRow("negative half away from zero") << -2.005 << -2.01;
        QTest::newRow("noise") << (0.1 + 0.2) * 100 << 30.0;
    }
    void roundMinutes()
    {
        QFETCH(double, in);
        QFETCH(double, out);
        QCOMPARE(TimeText::roundMinutes(in), out);
    }

    void roundMinutesLeavesHugeAndNonFiniteAlone()
    {
        QCOMPARE(TimeText::roundMinutes(1e300), 1e300);
        QVERIFY(std::isinf(TimeText::roundMinutes(std::numeric_limits<double>::infinity())));
    }

    void systemClockShowsLocalWallTime()
    {
        // The real clock keeps the offset from UTC for a minute; what it shows must still be the
        // local wall time, in a zone far from UTC as in UTC itself.
        for (const char *zone : {"Asia/Shanghai", "America/St_Johns", "UTC"}) {
            qputenv("TZ", zone);
            SystemWallClock clock;
            const QDateTime before = QDateTime::currentDateTime();
            const QDateTime now = clock.now();
            QVERIFY2(qAbs(before.secsTo(now)) <= 1, zone);
            QVERIFY2(qAbs(before.time().secsTo(now.time())) <= 1 || qAbs(before.time().secsTo(now.time())) >= 86399,
                     zone);
            QCOMPARE(clock.now().offsetFromUtc(), before.offsetFromUtc());
        }
        qunsetenv("TZ");
        // Its steady reading, which a change of the wall clock leaves alone, moves as time does.
        const qint64 from = SystemWallClock().elapsedMs();
        QTest::qWait(50);
        const qint64 moved = SystemWallClock().elapsedMs() - from;
        QVERIFY2(moved >= 40 && moved < 5000, qPrintable(QString::number(moved)));
    }

    void wholeMinutes_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<int>("minutes");
        const QDate d(2026, 12, 7);
        QTest::newRow("seconds dropped, crosses a minute")
            << QDateTime(d, QTime(10, 5, 59)) << QDateTime(d, QTime(10, 6, 1)) << 1;
        QTest::newRow("seconds dropped, same minute")
            << QDateTime(d, QTime(10, 5, 1)) << QDateTime(d, QTime(10, 5, 59)) << 0;
        QTest::newRow("past midnight") << QDateTime(d, QTime(23, 50, 30)) << QDateTime(d.addDays(1), QTime(0, 10, 5))
                                       << 20;
        QTest::newRow("a clock set back is not a day") << QDateTime(d, QTime(0, 1)) << QDateTime(d, QTime(0, 0)) << 0;
        QTest::newRow("before 1970 still floors")
            << QDateTime(QDate(1969, 12, 31), QTime(23, 59, 30), QTimeZone::utc())
            << QDateTime(QDate(1970, 1, 1), QTime(0, 0, 30), QTimeZone::utc()) << 1;
    }
    void wholeMinutes()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(int, minutes);
        QCOMPARE(TimeText::wholeMinutes(start, end), qint64(minutes));
    }
};

QTEST_GUILESS_MAIN(TestTimeText)
#include "tst_TimeText.moc"
