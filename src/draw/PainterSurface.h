#pragma once

// The drawing surface over an image a window keeps and repaints itself from (a QImage or QPixmap),
// drawing whole pixels without antialiasing so that frames come out exactly where they are meant.

#include "draw/DrawSurface.h"

#include <QPoint>

class QPaintDevice;
class QPainter;

// Pen rule: a one-pixel pen paints every pixel from the start point up to, but not including, the
// end point. A pen w pixels wide stamps a w x w square on every pixel of the line, end point
// included, covering from w/2 pixels before to (w - 1)/2 pixels after that pixel in both directions
// (for w = 4: two before, one after). The square centres on the line like a wide brush, and two wide
// lines that meet at a corner join without a notch.
class PainterSurface : public DrawSurface {
public:
    // Twips per pixel follow the device's logical resolution (15 at 96 dots per inch).
    explicit PainterSurface(QPaintDevice *device);
    PainterSurface(QPaintDevice *device, double twipsPerPixelX, double twipsPerPixelY);

    ScaleUnit scaleUnit() const override;
    void setScaleUnit(ScaleUnit unit) override;
    QColor penColor() const override;
    void setPenColor(const QColor &colour) override;
    int penWidth() const override;
    void setPenWidth(int width) override;

    void line(double x1, double y1, double x2, double y2, const QColor &colour) override;
    void rectangle(double x1, double y1, double x2, double y2, const QColor &colour) override;

    // The device is the retained image, so everything drawn lands in it whether or not retained
    // drawing is on; the switch is kept only so that callers can save and restore it.
    bool retainedDrawing() const override;
    void setRetainedDrawing(bool on) override;

    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;

private:
    QPoint toPixels(double x, double y) const;
    void paintSegment(QPainter &painter, QPoint from, QPoint to, bool includeEnd, const QColor &colour) const;

    QPaintDevice *m_device;
    double m_twipsPerPixelX;
    double m_twipsPerPixelY;
    ScaleUnit m_scaleUnit = ScaleUnit::Twips;
    QColor m_penColor = Qt::black;
    int m_penWidth = 1;
    bool m_retainedDrawing = false;
};
