#include "chart/ChartsPlugin.h"

#include "chart/ChartsPeriodChart.h"

PeriodChartDrawing *ChartsPlugin::make(QWidget *parent)
{
    return new ChartsPeriodChart(parent);
}
