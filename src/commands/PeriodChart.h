#pragma once
// The period's takings as a chart: amounts due as bars, minutes as a second series.

#include <QImage>
#include <QWidget>

struct PeriodTakings;

class PeriodChart : public QWidget {
public:
    using QWidget::QWidget;
    // The chart, or null where this build has no chart library (the Windows kit has no Qt Charts).
    static PeriodChart *make(QWidget *parent);
    virtual void setTakings(const PeriodTakings &takings) = 0;
    virtual QImage image(const QSize &size) const = 0;
    virtual QString pointedText() const = 0;
    virtual void point(int bucket) = 0;
};
