#pragma once
// The takings of a period drawn as a chart: what was due and how long was timed, bucket by bucket.

#include "timing/PeriodTakings.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

class PeriodChart : public QWidget {
    Q_OBJECT
public:
    enum class Loading {
        Now, // the chart is there once made
        WhenShown, // the chart module is loaded when the chart is first shown or asked for its figures
    };
    // The chart drawn with Qt Charts by the chart module beside the program; where the module cannot
    // be loaded, a short note in its place, without figures and with no image for paper.
    static PeriodChart *make(QWidget *parent, Loading loading = Loading::Now);

    // Shows the period's buckets: amounts due (PeriodTakings::Bucket::due) as bars on a left axis,
    // minutes as a second series (a line with points) on a right axis; categories are the buckets' labels.
    virtual void setTakings(const PeriodTakings &takings) = 0;
    // The chart drawn at this size in light colours whatever the screen's palette, for the printed
    // report: its letters are 9 pt at this resolution, which the image carries.
    virtual QImage image(const QSize &size, qreal dotsPerInch = 96) const = 0;
    // The figures of the bar the pointer is on or was last clicked, e.g. "12月3日: 应收金额 123.50, 计时 840 分钟";
    // empty when none.
    virtual QString pointedText() const = 0;
    // The bar at this bucket index pointed at, as hovering it does (lets tests and keys select a bar);
    // it stays pointed at, as a clicked one does. An index outside the buckets points at none.
    virtual void point(int bucket) = 0;

Q_SIGNALS:
    // The pointed text changed (empty: no bar is pointed at any more).
    void pointed(const QString &text);

protected:
    using QWidget::QWidget;
};
