#pragma once
// The period chart drawn with Qt Charts, with the figures of the bar pointed at beneath it.

#include "chart/PeriodChartDrawing.h"

#include <QChart>
#include <QWidget>

class QBarSet;
class QChartView;
class QLabel;

class ChartsPeriodChart : public QWidget, public PeriodChartDrawing {
public:
    explicit ChartsPeriodChart(QWidget *parent);

    QWidget *widget() override { return this; }
    void setTakings(const PeriodTakings &takings) override;
    QImage image(const QSize &size, qreal dotsPerInch) const override;
    QString pointedText() const override;
    void point(int bucket) override;
    void onPointed(std::function<void(const QString &)> told) override { m_told = std::move(told); }

protected:
    void changeEvent(QEvent *event) override;

private:
    // Dark colours under a dark palette, so the chart does not glare in a dark window.
    QChart::ChartTheme theme() const;
    void hover(bool on, int index);
    QString figures(int index) const;
    void refresh();

    PeriodTakings m_takings;
    QChartView *m_view = nullptr;
    QLabel *m_figures = nullptr;
    QBarSet *m_bars = nullptr;
    int m_hovered = -1; // the bar or point under the pointer
    int m_kept = -1; // the bar last clicked or pointed at
    std::function<void(const QString &)> m_told;
};
