#include "commands/PeriodChart.h"

#include "timing/AmountDue.h"
#include "timing/TimeText.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QEvent>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {
const QString kDueName = QStringLiteral("应收金额");
const QString kMinutesName = QStringLiteral("计时分钟");

// Room the value axes, their titles and the chart's margins take from the width, roughly: the
// category labels are thinned to fit what is left.
qreal plotWidth(qreal chartWidth, const QFont &font)
{
    const QFontMetricsF metrics(font);
    return std::max(chartWidth - 2 * (metrics.horizontalAdvance(QStringLiteral("000000")) + 3 * metrics.height()),
                    metrics.height());
}

double finite(double value)
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

// The chart's own look: the theme, then the program's font again, since a theme brings its own.
void applyLook(QChart *chart, QChart::ChartTheme theme, const QFont &font)
{
    chart->setTheme(theme);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setTitleFont(font);
    chart->legend()->setFont(font);
    QFont bold = font;
    bold.setBold(true);
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsFont(font);
        axis->setTitleFont(bold);
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

// Every k-th bucket keeps its label, k as small as lets the labels stand side by side in this
// width; the axis labels each one at its bar.
void labelCategories(QCategoryAxis *axis, const PeriodTakings &takings, qreal chartWidth, const QFont &font)
{
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    const int n = int(takings.buckets.size());
    if (n == 0)
        return;
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (const PeriodTakings::Bucket &bucket : takings.buckets)
        widest = std::max(widest, metrics.horizontalAdvance(bucket.label));
    // Qt Charts gives each label an equal share of the axis, one share more than there are labels.
    const qreal room = widest + 2 * metrics.averageCharWidth();
    const int fitting = std::max(1, int(plotWidth(chartWidth, font) / room) - 1);
    const int step = (n + fitting - 1) / fitting;
    for (int k = 0; k < n; k += step)
        axis->append(takings.buckets[k].label, k);
}

// The chart of the takings, in the given look: the same for the screen and for paper.
QChart *buildChart(const PeriodTakings &takings, QChart::ChartTheme theme, const QFont &font, qreal width)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignTop);

    auto *dueSet = new QBarSet(kDueName);
    auto *minutes = new QLineSeries;
    minutes->setName(kMinutesName);
    QList<double> dues;
    QList<double> minuteValues;
    QList<QPointF> points;
    const int n = int(takings.buckets.size());
    dues.reserve(n);
    minuteValues.reserve(n);
    points.reserve(n);
    for (int k = 0; k < n; ++k) {
        dues.append(finite(takings.buckets[k].due));
        minuteValues.append(finite(takings.buckets[k].minutes));
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
    labelCategories(categories, takings, width, font);
    auto *dueAxis = new QValueAxis;
    dueAxis->setTitleText(QStringLiteral("应收金额(元)"));
    fitAxis(dueAxis, dues);
    auto *minutesAxis = new QValueAxis;
    minutesAxis->setTitleText(QStringLiteral("分钟"));
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
    applyLook(chart, theme, font);
    return chart;
}

// The chart on screen, with the figures of the bar pointed at beneath it.
class ChartsPeriodChart : public PeriodChart {
public:
    explicit ChartsPeriodChart(QWidget *parent) : PeriodChart(parent)
    {
        m_view = new QChartView(this);
        m_view->setRenderHint(QPainter::Antialiasing);
        m_view->setMinimumSize(320, 220);
        m_figures = new QLabel(this);
        m_figures->setTextFormat(Qt::PlainText);
        m_figures->setMinimumHeight(m_figures->fontMetrics().height());
        m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view, 1);
        layout->addWidget(m_figures);
        setTakings(PeriodTakings());
    }

    void setTakings(const PeriodTakings &takings) override
    {
        m_takings = takings;
        m_hovered = -1;
        m_kept = -1;
        QChart *chart = buildChart(m_takings, theme(), font(), m_view->width());
        QChart *old = m_view->chart();
        // The view gives its old chart back rather than deleting it.
        m_view->setChart(chart);
        delete old;
        auto *bars = static_cast<QBarSeries *>(chart->series().constFirst());
        m_bars = bars->barSets().constFirst();
        m_categories = static_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).constFirst());
        m_labelledWidth = m_view->width();
        connect(m_bars, &QBarSet::hovered, this, [this](bool on, int index) { hover(on, index); });
        connect(m_bars, &QBarSet::clicked, this, [this](int index) { point(index); });
        auto *minutes = static_cast<QLineSeries *>(chart->series().constLast());
        connect(minutes, &QLineSeries::hovered, this,
                [this](const QPointF &at, bool on) { hover(on, int(std::lround(at.x()))); });
        refresh();
    }

    QImage image(const QSize &size) const override
    {
        if (size.isEmpty())
            return QImage();
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QGraphicsScene scene;
        QChart *chart = buildChart(m_takings, QChart::ChartThemeLight, font(), size.width());
        scene.addItem(chart);
        chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), QSizeF(size)));
        return image;
    }

    QString pointedText() const override { return m_figures->text(); }

    void point(int bucket) override
    {
        m_kept = bucket >= 0 && bucket < m_takings.buckets.size() ? bucket : -1;
        refresh();
    }

protected:
    void changeEvent(QEvent *event) override
    {
        PeriodChart::changeEvent(event);
        // Not while the constructor has yet to make the chart.
        if (m_bars && (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)) {
            applyLook(m_view->chart(), theme(), font());
            relabel();
            refresh(); // the kept bar again, in the new colours
        }
    }

    void resizeEvent(QResizeEvent *event) override
    {
        PeriodChart::resizeEvent(event);
        relabel();
    }

private:
    // Dark colours under a dark palette, so the chart does not glare in a dark window.
    QChart::ChartTheme theme() const
    {
        return palette().color(QPalette::Window).lightness() < 128 ? QChart::ChartThemeDark : QChart::ChartThemeLight;
    }

    void relabel()
    {
        if (!m_categories || (m_view->width() == m_labelledWidth && !m_categories->categoriesLabels().isEmpty()))
            return;
        m_labelledWidth = m_view->width();
        labelCategories(m_categories, m_takings, m_labelledWidth, font());
    }

    void hover(bool on, int index)
    {
        m_hovered = on && index >= 0 && index < m_takings.buckets.size() ? index : -1;
        refresh();
        if (m_hovered >= 0)
            QToolTip::showText(QCursor::pos(), m_figures->text(), m_view);
        else
            QToolTip::hideText();
    }

    QString figures(int index) const
    {
        if (index < 0)
            return QString();
        const PeriodTakings::Bucket &bucket = m_takings.buckets[index];
        return QStringLiteral("%1: 应收金额 %2, 计时 %3 分钟")
            .arg(bucket.label, AmountDue::text(bucket.due), TimeText::generalNumber(bucket.minutes));
    }

    void refresh()
    {
        m_bars->deselectAllBars();
        if (m_kept >= 0)
            m_bars->selectBar(m_kept);
        const QString text = figures(m_hovered >= 0 ? m_hovered : m_kept);
        if (text == m_figures->text())
            return;
        m_figures->setText(text);
        Q_EMIT pointed(text);
    }

    PeriodTakings m_takings;
    QChartView *m_view = nullptr;
    QLabel *m_figures = nullptr;
    QBarSet *m_bars = nullptr;
    QCategoryAxis *m_categories = nullptr;
    int m_labelledWidth = -1;
    int m_hovered = -1; // the bar or point under the pointer
    int m_kept = -1; // the bar last clicked or pointed at
};
} // namespace

PeriodChart *PeriodChart::make(QWidget *parent)
{
    return new ChartsPeriodChart(parent);
}
