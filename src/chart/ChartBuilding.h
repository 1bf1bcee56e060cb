#pragma once
// The chart of a period's takings, as Qt Charts draws it on the screen and on paper.

#include "timing/PeriodTakings.h"

#include <QChart>
#include <QFont>

namespace ChartBuilding {
// The takings' amounts due as bars on a left axis and minutes as a line with points on a right
// axis, one category per bucket, in this theme and font. The caller owns the chart.
QChart *buildChart(const PeriodTakings &takings, QChart::ChartTheme theme, const QFont &font);
// The theme, then the font again (a theme brings its own), margins and labels to fit them.
void applyLook(QChart *chart, QChart::ChartTheme theme, const QFont &font);
} // namespace ChartBuilding
