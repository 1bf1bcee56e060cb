// A request of whole days covers exactly those days, where the clocks change at midnight too (this
// test runs in Santiago's time zone, whose 6 September 2026 starts at 01:00).

#include "history/TakingsRequest.h"

#include <QTest>

class TakingsRequestTest : public QObject {
    Q_OBJECT
private slots:
    void days_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QTime>("from");
        QTest::addColumn<int>("count");
        QTest::newRow("a day") << QDate(2026, 12, 7) << QDate(2026, 12, 7) << QTime(0, 0) << 1;
        QTest::newRow("a week over a month's end") << QDate(2026, 11, 30) << QDate(2026, 12, 6) << QTime(0, 0) << 7;
        QTest::newRow("the day before the change") << QDate(2026, 9, 5) << QDate(2026, 9, 5) << QTime(0, 0) << 1;
        QTest::newRow("the day of the change") << QDate(2026, 9, 6) << QDate(2026, 9, 6) << QTime(1, 0) << 1;
    }
    void days()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(QTime, from);
        QFETCH(int, count);
        // Where the zone's rules put no gap at that midnight (Wine takes them from Windows, not from
        // the time-zone database), the day of the change is an ordinary day.
        const QDateTime midnight(first, QTime(0, 0));
        if (from != QTime(0, 0) && midnight.isValid() && midnight.time() == QTime(0, 0))
            QSKIP("the local zone has no gap at that midnight");
        const QDateTime at(QDate(2026, 12, 8), QTime(9, 30));
        const TakingsRequest request = TakingsRequest::days(first, last, at);
        QCOMPARE(request.from, QDateTime(first, from));
        QVERIFY(request.to.isValid());
        QCOMPARE(request.firstDay(), first);
        QCOMPARE(request.lastDay(), last);
        QCOMPARE(request.dayCount(), count);
        QCOMPARE(request.readAt, at);
        // Read again later, it is still the same days.
        const TakingsRequest later = request.readingAt(at.addSecs(60));
        QCOMPARE(later.readAt, at.addSecs(60));
        QCOMPARE(later.readingAt(at), request);
    }
};

QTEST_GUILESS_MAIN(TakingsRequestTest)
#include "tst_TakingsRequest.moc"
