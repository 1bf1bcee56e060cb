#include "draw/PainterSurface.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Far beyond any real window, yet small enough that pixel arithmetic and the walk along a slanted
// line stay cheap and free of overflow for absurd coordinates.
constexpr double pixelLimit = 1 << 20;

int roundToPixel(double value)
{
    return int(std::clamp(std::floor(value + 0.5), -pixelLimit, pixelLimit));
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

PainterSurface::PainterSurface(QPaintDevice *device)
    : PainterSurface(device, 1440.0 / device->logicalDpiX(), 1440.0 / device->logicalDpiY())
{ }

PainterSurface::PainterSurface(QPaintDevice *device, double twipsPerPixelX, double twipsPerPixelY)
    : m_device(device), m_twipsPerPixelX(twipsPerPixelX), m_twipsPerPixelY(twipsPerPixelY)
{ }

DrawSurface::ScaleUnit PainterSurface::scaleUnit() const
{
    return m_scaleUnit;
}

void PainterSurface::setScaleUnit(ScaleUnit unit)
{
    m_scaleUnit = unit;
}

QColor PainterSurface::penColor() const
{
    return m_penColor;
}

void PainterSurface::setPenColor(const QColor &colour)
{
    m_penColor = colour;
}

int PainterSurface::penWidth() const
{
    return m_penWidth;
}

void PainterSurface::setPenWidth(int width)
{
    m_penWidth = std::max(1, width);
}

void PainterSurface::line(double x1, double y1, double x2, double y2, const QColor &colour)
{
    QPainter painter(m_device);
    paintSegment(painter, toPixels(x1, y1), toPixels(x2, y2), m_penWidth > 1, colour);
}

void PainterSurface::rectangle(double x1, double y1, double x2, double y2, const QColor &colour)
{
    const QPoint a = toPixels(x1, y1);
    const QPoint b = toPixels(x2, y2);
    const QPoint topLeft(std::min(a.x(), b.x()), std::min(a.y(), b.y()));
    const QPoint bottomRight(std::max(a.x(), b.x()), std::max(a.y(), b.y()));
    const QPoint topRight(bottomRight.x(), topLeft.y());
    const QPoint bottomLeft(topLeft.x(), bottomRight.y());

    QPainter painter(m_device);
    paintSegment(painter, topLeft, topRight, true, colour);
    paintSegment(painter, topRight, bottomRight, true, colour);
    paintSegment(painter, bottomRight, bottomLeft, true, colour);
    paintSegment(painter, bottomLeft, topLeft, true, colour);
}

bool PainterSurface::retainedDrawing() const
{
    return m_retainedDrawing;
}

void PainterSurface::setRetainedDrawing(bool on)
{
    m_retainedDrawing = on;
}

double PainterSurface::twipsPerPixelX() const
{
    return m_twipsPerPixelX;
}

double PainterSurface::twipsPerPixelY() const
{
    return m_twipsPerPixelY;
}

QPoint PainterSurface::toPixels(double x, double y) const
{
    if (m_scaleUnit == ScaleUnit::Pixels)
        return QPoint(roundToPixel(x), roundToPixel(y));
    return QPoint(roundToPixel(x / m_twipsPerPixelX), roundToPixel(y / m_twipsPerPixelY));
}

void PainterSurface::paintSegment(QPainter &painter, QPoint from, QPoint to, bool includeEnd,
                                  const QColor &colour) const
{
    const int width = m_penWidth;
    const int before = width / 2;
    const auto stampSpan = [&](QPoint first, QPoint last) {
        const QPoint topLeft(std::min(first.x(), last.x()) - before, std::min(first.y(), last.y()) - before);
        const QPoint bottomRight(std::max(first.x(), last.x()) - before + width - 1,
                                 std::max(first.y(), last.y()) - before + width - 1);
        painter.fillRect(QRect(topLeft, bottomRight), colour);
    };

    if (from == to) {
        if (includeEnd)
            stampSpan(from, from);
        return;
    }

    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dx == 0 || dy == 0) {
        const QPoint last = includeEnd ? to : to - QPoint(sign(dx), sign(dy));
        stampSpan(from, last);
        return;
    }

    // Slanted lines: Bresenham's walk, one stamp per pixel, none where it cannot show.
    const QRect reach =
        QRect(QPoint(0, 0), QSize(m_device->width(), m_device->height())).adjusted(-width, -width, width, width);
    const int stepX = sign(dx);
    const int stepY = sign(dy);
    const int spanX = std::abs(dx);
    const int spanY = -std::abs(dy);
    int error = spanX + spanY;
    QPoint point = from;
    for (;;) {
        const bool atEnd = point == to;
        if (atEnd && !includeEnd)
            break;
        if (reach.contains(point))
            stampSpan(point, point);
        if (atEnd)
            break;
        const int doubled = 2 * error;
        if (doubled >= spanY) {
            error += spanY;
            point.rx() += stepX;
        }
        if (doubled <= spanX) {
            error += spanX;
            point.ry() += stepY;
        }
    }
}
