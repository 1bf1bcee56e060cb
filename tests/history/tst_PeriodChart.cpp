// The period chart drawn with Qt Charts: its series, the figures of a pointed bar, its colours.

#include "history/PeriodChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTest>

namespace {
PeriodTakings threeDays()
{
    PeriodTakings t;
    t.first = QDate(2026, 12, 1);
    t.last = QDate(2026, 12, 3);
    for (int d = 0; d < 3; ++d)
        t.buckets.append({QDateTime(t.first.addDays(d), QTime(0, 0)), QStringLiteral("12月%1日").arg(d + 1),
                          QList<double> {10.5, 0, 123.5}[d], QList<double> {180, 0, 840}[d]});
    return t;
}

QChart *chartOf(const PeriodChart &chart)
{
    return chart.findChild<QChartView *>()->chart();
}

// A week of which the days after the third are still to come.
PeriodTakings weekFromMonday()
{
    PeriodTakings t;
    t.first = QDate(2026, 12, 7);
    t.last = t.first.addDays(6);
    for (int d = 0; d < 7; ++d)
        t.buckets.append({t.first.addDays(d).startOfDay(), QStringLiteral("12月%1日").arg(7 + d), d == 1 ? 313.75 : 0,
                          d == 1 ? 3765.0 : 0, d > 2});
    return t;
}
} // namespace

class TestPeriodChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void barsAndLineHoldTheBuckets()
    {
        std::unique_ptr<PeriodChart> chart(PeriodChart::make(nullptr));
        QVERIFY(chart);
        chart->setTakings(threeDays());
        const QList<QAbstractSeries *> series = chartOf(*chart)->series();
        QCOMPARE(series.size(), 2);
        const QBarSet *bars = static_cast<QBarSeries *>(series[0])->barSets().constFirst();
        QCOMPARE(bars->label(), QStringLiteral("应收金额"));
        QCOMPARE(bars->count(), 3);
        QCOMPARE((QList<qreal> {bars->at(0), bars->at(1), bars->at(2)}), (QList<qreal> {10.5, 0, 123.5}));
        const auto *minutes = static_cast<QLineSeries *>(series[1]);
        QCOMPARE(minutes->name(), QStringLiteral("计时分钟"));
        QCOMPARE(minutes->points(), (QList<QPointF> {{0, 180}, {1, 0}, {2, 840}}));
    }

    // Days to come are not days without business: the line ends at the day of reading. At the
    // narrowest the history window makes it, a week's every day is still labelled, the one bar too.
    void lineEndsTodayAndEveryDayOfAWeekIsLabelled()
    {
        std::unique_ptr<PeriodChart> chart(PeriodChart::make(nullptr));
        chart->resize(560, 240);
        chart->setTakings(weekFromMonday());
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        const auto *minutes = static_cast<QLineSeries *>(chartOf(*chart)->series().constLast());
        QCOMPARE(minutes->points(), (QList<QPointF> {{0, 0}, {1, 3765}, {2, 0}}));
        chart->point(4);
        QCOMPARE(chart->pointedText(), QStringLiteral("12月11日: 尚未到来"));
        const auto *days = static_cast<QCategoryAxis *>(chartOf(*chart)->axes(Qt::Horizontal).constFirst());
        QTRY_COMPARE(days->count(), 7);
        // A month at that width cannot label every day, and labels some.
        PeriodTakings month;
        month.first = QDate(2026, 12, 1);
        month.last = QDate(2026, 12, 31);
        for (int d = 0; d < 31; ++d)
            month.buckets.append({QDate(2026, 12, 1 + d).startOfDay(), QStringLiteral("12月%1日").arg(1 + d)});
        chart->setTakings(month);
        const auto *monthDays = static_cast<QCategoryAxis *>(chartOf(*chart)->axes(Qt::Horizontal).constFirst());
        QTRY_VERIFY(monthDays->count() > 5);
        QVERIFY(monthDays->count() < 31);
    }

    void pointingShowsTheBarsFigures()
    {
        std::unique_ptr<PeriodChart> chart(PeriodChart::make(nullptr));
        chart->setTakings(threeDays());
        QSignalSpy spy(chart.get(), &PeriodChart::pointed);
        QCOMPARE(chart->pointedText(), QString());
        chart->point(2);
        QCOMPARE(chart->pointedText(), QStringLiteral("12月3日: 应收金额 123.50, 计时 840 分钟"));
        chart->point(1);
        QCOMPARE(chart->pointedText(), QStringLiteral("12月2日: 应收金额 0.00, 计时 0 分钟"));
        chart->point(3);
        QCOMPARE(chart->pointedText(), QString());
        QCOMPARE(spy.size(), 3);
        // New takings point at nothing: the old index may not exist in them.
        chart->point(2);
        chart->setTakings(PeriodTakings());
        QCOMPARE(chart->pointedText(), QString());
        chart->point(0);
        QCOMPARE(chart->pointedText(), QString());
    }

    void paperIsLightUnderADarkPalette()
    {
        std::unique_ptr<PeriodChart> chart(PeriodChart::make(nullptr));
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        chart->setPalette(dark);
        QCOMPARE(chartOf(*chart)->theme(), QChart::ChartThemeDark);
        for (const PeriodTakings &takings : {PeriodTakings(), threeDays()}) {
            chart->setTakings(takings);
            QCOMPARE(chartOf(*chart)->theme(), QChart::ChartThemeDark);
            const QImage image = chart->image(QSize(600, 300), 200);
            QCOMPARE(image.size(), QSize(600, 300));
            // It carries its resolution, so paper prints it at the size its letters were drawn for.
            QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 200);
            QVERIFY(image.pixelColor(5, 5).lightness() > 200);
        }
        chart->setPalette(QPalette(Qt::white));
        QCOMPARE(chartOf(*chart)->theme(), QChart::ChartThemeLight);
    }
};

QTEST_MAIN(TestPeriodChart)
#include "tst_PeriodChart.moc"
