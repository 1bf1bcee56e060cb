#pragma once

// The few drawing operations the frame effects need from a window's surface, so that the frame
// arithmetic can be exercised on any surface and checked pixel by pixel.

#include <QColor>

class DrawSurface {
public:
    enum class ScaleUnit { Twips, Pixels };

    virtual ~DrawSurface() = default;

    // Coordinates passed to line() and rectangle() are in this unit; pen widths are always pixels.
    virtual ScaleUnit scaleUnit() const = 0;
    virtual void setScaleUnit(ScaleUnit unit) = 0;

    virtual QColor penColor() const = 0;
    virtual void setPenColor(const QColor &colour) = 0;
    virtual int penWidth() const = 0;
    virtual void setPenWidth(int width) = 0;

    // A line from (x1, y1) towards (x2, y2); with a one-pixel pen the end point itself stays
    // undrawn, so lines joined end to start never paint a pixel twice.
    virtual void line(double x1, double y1, double x2, double y2, const QColor &colour) = 0;
    // The outline of the rectangle whose opposite corners are the two points, both corners included.
    virtual void rectangle(double x1, double y1, double x2, double y2, const QColor &colour) = 0;

    // Whether drawing goes into the image the window repaints itself from.
    virtual bool retainedDrawing() const = 0;
    virtual void setRetainedDrawing(bool on) = 0;

    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;

protected:
    DrawSurface() = default;
    DrawSurface(const DrawSurface &) = default;
    DrawSurface &operator=(const DrawSurface &) = default;
};
