#include "chart/ChartsPeriodChart.h"

#include "chart/ChartBuilding.h"
#include "timing/AmountDue.h"
#include "timing/TimeText.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCursor>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>

namespace {
// The letters of the chart on paper, in points: as the table's beneath it, a little smaller.
constexpr qreal kPaperPoints = 9;
} // namespace

ChartsPeriodChart::ChartsPeriodChart(QWidget *parent) : QWidget(parent)
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

void ChartsPeriodChart::setTakings(const PeriodTakings &takings)
{
    m_takings = takings;
    m_hovered = -1;
    m_kept = -1;
    QChart *chart = ChartBuilding::buildChart(m_takings, theme(), font());
    QChart *old = m_view->chart();
    // The view gives its old chart back rather than deleting it.
    m_view->setChart(chart);
    delete old;
    auto *bars = static_cast<QBarSeries *>(chart->series().constFirst());
    m_bars = bars->barSets().constFirst();
    connect(m_bars, &QBarSet::hovered, this, [this](bool on, int index) { hover(on, index); });
    connect(m_bars, &QBarSet::clicked, this, [this](int index) { point(index); });
    auto *minutes = static_cast<QLineSeries *>(chart->series().constLast());
    connect(minutes, &QLineSeries::hovered, this,
            [this](const QPointF &at, bool on) { hover(on, int(std::lround(at.x()))); });
    refresh();
}

QImage ChartsPeriodChart::image(const QSize &size, qreal dotsPerInch) const
{
    if (size.isEmpty() || dotsPerInch <= 0)
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    // Its resolution goes with it, so that paper shows it at the size its letters were drawn for.
    image.setDotsPerMeterX(int(std::lround(dotsPerInch / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    QFont paper = font();
    paper.setPixelSize(int(std::lround(kPaperPoints * dotsPerInch / 72)));
    QGraphicsScene scene;
    QChart *chart = ChartBuilding::buildChart(m_takings, QChart::ChartThemeLight, paper);
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    // The labels the first layout gave come with a second, which only the event loop would run.
    chart->layout()->activate();
    auto *line = static_cast<QLineSeries *>(chart->series().constLast()); // the minutes, added last
    line->setPen(QPen(line->pen().brush(), line->pen().widthF() * dotsPerInch / 96));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QString ChartsPeriodChart::pointedText() const
{
    return m_figures->text();
}

void ChartsPeriodChart::point(int bucket)
{
    m_kept = bucket >= 0 && bucket < m_takings.buckets.size() ? bucket : -1;
    refresh();
}

void ChartsPeriodChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Not while the constructor has yet to make the chart.
    if (m_bars && (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)) {
        ChartBuilding::applyLook(m_view->chart(), theme(), font());
        refresh(); // the kept bar again, in the new colours
    }
}

QChart::ChartTheme ChartsPeriodChart::theme() const
{
    return palette().color(QPalette::Window).lightness() < 128 ? QChart::ChartThemeDark : QChart::ChartThemeLight;
}

void ChartsPeriodChart::hover(bool on, int index)
{
    m_hovered = on && index >= 0 && index < m_takings.buckets.size() ? index : -1;
    refresh();
    if (m_hovered >= 0)
        QToolTip::showText(QCursor::pos(), m_figures->text(), m_view);
    else
        QToolTip::hideText();
}

QString ChartsPeriodChart::figures(int index) const
{
    if (index < 0)
        return QString();
    const PeriodTakings::Bucket &bucket = m_takings.buckets[index];
    if (bucket.future) // nothing taken yet is not nothing taken
        return bucket.label + QStringLiteral(": 尚未到来");
    return QStringLiteral("%1: 应收金额 %2, 计时 %3 分钟")
        .arg(bucket.label, AmountDue::text(bucket.due), TimeText::generalNumber(bucket.minutes));
}

void ChartsPeriodChart::refresh()
{
    m_bars->deselectAllBars();
    if (m_kept >= 0)
        m_bars->selectBar(m_kept);
    const QString text = figures(m_hovered >= 0 ? m_hovered : m_kept);
    if (text == m_figures->text())
        return;
    m_figures->setText(text);
    if (m_told)
        m_told(text);
}
