#include "chart/ChartBuilding.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QSet>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {
const QString kDueName = QStringLiteral("应收金额");
const QString kMinutesName = QStringLiteral("计时分钟");

double orZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

// A value axis from 0 (or below, for a credit) to a little above the largest value, on round ticks.
void fitAxis(QValueAxis *axis, const QList<double> &values)
{
    double low = 0;
    double high = 0;
    for (const double v : values) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    if (high - low <= 0)
        high = 1;
    axis->setRange(low, high * 1.05);
    axis->applyNiceNumbers();
    // Whole numbers while the ticks are whole; cents on a small range.
    const double step = (axis->max() - axis->min()) / std::max(1, axis->tickCount() - 1);
    axis->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.2f"));
}

// How many labels of these stand side by side along the plot's width. Qt Charts gives each label
// an equal share of the axis, one share more than there are labels, less 4 pixels either side.
int fitting(const QStringList &labels, qreal plotWidth, const QFontMetricsF &metrics)
{
    qreal widest = 0;
    for (const QString &label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    return std::max(1, int(plotWidth / (widest + 2 * 4 + 1)) - 1);
}

// Every bucket keeps its label where they all fit; where they do not, the short ones (the day of
// the month, the hour) stand in, and only where those do not fit either is every k-th labelled.
void labelCategories(QCategoryAxis *axis, qreal plotWidth, const QFont &font)
{
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    const QStringList full = axis->property("bucketLabels").toStringList();
    const int n = int(full.size());
    const QFontMetricsF metrics(font);
    const bool fit = fitting(full, plotWidth, metrics) >= n;
    const QStringList brief = axis->property("shortLabels").toStringList();
    // An axis takes each label once: over two months, or the hour the clocks go back, the short
    // ones come twice.
    const QStringList labels = fit || QSet<QString>(brief.begin(), brief.end()).size() < n ? full : brief;
    const int room = fit ? 1 : fitting(labels, plotWidth, metrics);
    const int step = fit ? 1 : (n + room - 1) / room;
    for (int k = 0; k < n && k < labels.size(); k += step)
        axis->append(labels[k], k);
}

// The categories labelled for the plot's width, once more when it or the letters have changed.
void relabel(QCategoryAxis *axis, qreal plotWidth)
{
    if (plotWidth <= 0 || axis->property("labelledWidth").toReal() == plotWidth)
        return;
    axis->setProperty("labelledWidth", plotWidth);
    labelCategories(axis, plotWidth, axis->labelsFont());
}

// The axes' titles stand upright above them: turned on its side, Chinese is hard to read. They
// take a line of the chart's top margin, and follow the plot area wherever the layout puts it.
void addAxisTitles(QChart *chart)
{
    auto *due = new QGraphicsSimpleTextItem(QStringLiteral("应收金额(元)"), chart);
    auto *minutes = new QGraphicsSimpleTextItem(QStringLiteral("分钟"), chart);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart, due, minutes](const QRectF &plot) {
        // Above the label of the top tick, which is centred on the plot's top edge.
        const qreal y = plot.top() - 1.5 * due->boundingRect().height();
        due->setPos(chart->margins().left(), y);
        minutes->setPos(chart->size().width() - chart->margins().right() - minutes->boundingRect().width(), y);
    });
}
} // namespace

// The chart's own look: the theme, then the program's font again, since a theme brings its own.
void ChartBuilding::applyLook(QChart *chart, QChart::ChartTheme theme, const QFont &font)
{
    chart->setTheme(theme);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setTitleFont(font);
    chart->legend()->setFont(font);
    QFont bold = font;
    bold.setBold(true);
    for (QAbstractAxis *axis : chart->axes())
        axis->setLabelsFont(font);
    for (QGraphicsItem *item : chart->childItems()) {
        if (auto *title = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(item)) {
            title->setFont(bold);
            title->setBrush(chart->axes(Qt::Vertical).constFirst()->labelsBrush());
        }
    }
    const int line = int(std::ceil(QFontMetricsF(bold).height()));
    chart->setMargins(QMargins(line / 2, line + line / 2, line / 2, line / 4));
    for (QAbstractAxis *axis : chart->axes(Qt::Horizontal)) {
        axis->setProperty("labelledWidth", QVariant()); // the letters may have changed
        relabel(static_cast<QCategoryAxis *>(axis), chart->plotArea().width());
    }
    for (QAbstractSeries *series : chart->series()) {
        if (auto *bars = qobject_cast<QBarSeries *>(series)) {
            for (QBarSet *set : bars->barSets()) {
                const QColor colour = set->color();
                set->setSelectedColor(theme == QChart::ChartThemeDark ? colour.lighter(150) : colour.darker(150));
            }
        }
    }
}

// The chart of the takings, in the given look: the same for the screen and for paper.
QChart *ChartBuilding::buildChart(const PeriodTakings &takings, QChart::ChartTheme theme, const QFont &font)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom); // the top holds the axes' titles

    auto *dueSet = new QBarSet(kDueName);
    auto *minutes = new QLineSeries;
    minutes->setName(kMinutesName);
    QList<double> dues;
    QList<double> minuteValues;
    QList<QPointF> points;
    const int n = int(takings.buckets.size());
    QStringList labels;
    QStringList shortLabels;
    for (int k = 0; k < n; ++k) {
        const PeriodTakings::Bucket &bucket = takings.buckets[k];
        dues.append(orZero(bucket.due));
        minuteValues.append(orZero(bucket.minutes));
        labels.append(bucket.label);
        shortLabels.append(takings.hourly() ? QStringLiteral("%1时").arg(bucket.start.time().hour())
                                            : QStringLiteral("%1日").arg(bucket.start.date().day()));
        // The line ends at the moment of reading: days to come are not days without business.
        if (!bucket.future)
            points.append(QPointF(k, minuteValues.last()));
    }
    dueSet->append(dues);
    minutes->replace(points);
    // Over more than two months the points would cover the line, and bars of the usual width
    // would be hairlines.
    const bool crowded = n > 62;
    minutes->setPointsVisible(!crowded);

    auto *bars = new QBarSeries;
    bars->setBarWidth(crowded ? 0.9 : 0.6);
    bars->append(dueSet);
    chart->addSeries(bars);
    chart->addSeries(minutes);
    // A category axis over value positions, not a bar category axis: it can leave buckets without a
    // label, so a month or a year of days stays readable.
    auto *categories = new QCategoryAxis;
    categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    categories->setStartValue(-0.5);
    categories->setRange(-0.5, std::max(n, 1) - 0.5);
    categories->setGridLineVisible(false);
    // Labelled once laid out, when the plot's width is known, and whenever it changes.
    categories->setProperty("bucketLabels", labels);
    categories->setProperty("shortLabels", shortLabels);
    QObject::connect(chart, &QChart::plotAreaChanged, categories,
                     [categories](const QRectF &plot) { relabel(categories, plot.width()); });
    auto *dueAxis = new QValueAxis;
    fitAxis(dueAxis, dues);
    auto *minutesAxis = new QValueAxis;
    // Its ticks fall between the amounts' grid lines: one grid is enough.
    minutesAxis->setGridLineVisible(false);
    fitAxis(minutesAxis, minuteValues);

    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(dueAxis, Qt::AlignLeft);
    chart->addAxis(minutesAxis, Qt::AlignRight);
    bars->attachAxis(categories);
    bars->attachAxis(dueAxis);
    minutes->attachAxis(categories);
    minutes->attachAxis(minutesAxis);
    addAxisTitles(chart);
    applyLook(chart, theme, font);
    return chart;
}

