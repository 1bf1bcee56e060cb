#pragma once
// What the program asks of the period chart the chart module draws. The module is loaded only
// when a period view is first shown, so this is plain C++: no Qt Charts type, no signal.

#include "timing/PeriodTakings.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QWidget;

class PeriodChartDrawing {
public:
    virtual ~PeriodChartDrawing() = default;

    // The chart on the screen; its parent owns it, and with it this drawing.
    virtual QWidget *widget() = 0;
    // Amounts due as bars on a left axis, minutes as a line with points on a right axis, one
    // category per bucket, labelled with the buckets' labels.
    virtual void setTakings(const PeriodTakings &takings) = 0;
    // The chart at this size in light colours whatever the screen's palette, for paper: its letters
    // are 9 pt at this resolution, which the image carries.
    virtual QImage image(const QSize &size, qreal dotsPerInch) const = 0;
    // The figures of the bar pointed at or last clicked; empty when none.
    virtual QString pointedText() const = 0;
    // Points at this bucket's bar as a click does; an index outside the buckets points at none.
    virtual void point(int bucket) = 0;
    // Called with the pointed text whenever it changes.
    virtual void onPointed(std::function<void(const QString &)> told) = 0;
};
