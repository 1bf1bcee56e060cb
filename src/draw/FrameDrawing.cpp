#include "draw/FrameDrawing.h"

#include "draw/ColorValue.h"
#include "draw/DrawSurface.h"

#include <QRect>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint32 sunkenEdgeStyle = 6;

// Rounds a twip measure to a whole twip; the clamp keeps absurd values from overflowing.
qint64 wholeTwips(double twips)
{
    constexpr double limit = 1e15;
    return std::llround(std::clamp(twips, -limit, limit));
}

// Frame pixels stay far inside the int range, so adding the gap cannot overflow either.
int toFramePixels(qint64 twips, int twipsPerPixel)
{
    constexpr qint64 limit = qint64(1) << 29;
    return int(std::clamp(twips / twipsPerPixel, -limit, limit));
}

} // namespace

FrameDrawing::Control FrameDrawing::Control::fromPixels(const QRect &pixels, double twipsPerPixelX,
                                                        double twipsPerPixelY)
{
    return Control {pixels.x() * twipsPerPixelX, pixels.y() * twipsPerPixelY, pixels.width() * twipsPerPixelX,
                    pixels.height() * twipsPerPixelY};
}

void FrameDrawing::InitFrameMetrics(double screenTwipsPerPixelX, double screenTwipsPerPixelY)
{
    if (lngFxDepth == 0) {
        lngFxDepth = ColorValue::white;
        lngFxBox = ColorValue::lightGrey;
        lngFxLine = ColorValue::darkGrey;
    }
    const auto metric = [](double twipsPerPixel) {
        const int whole = int(std::lround(std::clamp(twipsPerPixel, 1.0, 1440.0)));
        return whole == 12 ? 15 : whole;
    };
    intFxTwipsX = metric(screenTwipsPerPixelX);
    intFxTwipsY = metric(screenTwipsPerPixelY);
}

void FrameDrawing::FrameControl(const Control &control, DrawSurface &window, int gap, qint32 style, int width) const
{
    if (style == sunkenEdgeStyle) {
        DrawSunkenEdge(control, window);
        return;
    }
    if (intFxTwipsX <= 0 || intFxTwipsY <= 0)
        return;

    const DrawSurface::ScaleUnit savedUnit = window.scaleUnit();
    window.setRetainedDrawing(true);
    window.setScaleUnit(DrawSurface::ScaleUnit::Twips);

    const qint64 left = wholeTwips(control.left);
    const qint64 top = wholeTwips(control.top);
    const qint64 right = left + wholeTwips(control.width) - 1;
    const qint64 bottom = top + wholeTwips(control.height) - 1;
    const Rect rect {toFramePixels(left, intFxTwipsX) - gap, toFramePixels(top, intFxTwipsY) - gap,
                     toFramePixels(right, intFxTwipsX) + gap, toFramePixels(bottom, intFxTwipsY) + gap};
    DrawFrame(window, style, width, rect);

    window.setScaleUnit(savedUnit);
    window.setRetainedDrawing(false);
}

void FrameDrawing::DrawFrame(DrawSurface &window, qint32 style, int width, const Rect &rect) const
{
    if (style < 0 || style > 5)
        return;

    const QColor savedColour = window.penColor();
    const DrawSurface::ScaleUnit savedUnit = window.scaleUnit();
    const int savedWidth = window.penWidth();
    window.setScaleUnit(DrawSurface::ScaleUnit::Twips);
    window.setPenWidth(width);

    // Frame pixels to twips; doubles, so no size of window can overflow them.
    const double tx = intFxTwipsX;
    const double ty = intFxTwipsY;
    const double L = rect.left * tx;
    const double T = rect.top * ty;
    const double R = rect.right * tx;
    const double B = rect.bottom * ty;
    const QColor depth = ColorValue::toColor(lngFxDepth);
    const QColor line = ColorValue::toColor(lngFxLine);

    switch (style) {
    case 0:
    case 1: {
        const QColor &topLeft = style == 0 ? depth : line;
        const QColor &bottomRight = style == 0 ? line : depth;
        window.setPenWidth(1);
        for (int k = 0; k < width; ++k) {
            const double l = L - k * tx;
            const double t = T - k * ty;
            const double r = R + k * tx;
            const double b = B + k * ty;
            window.line(l, t, l, b, topLeft);
            window.line(l, t, r, t, topLeft);
            window.line(r, t, r, b + ty, bottomRight);
            window.line(l, b, r + tx, b, bottomRight);
        }
        break;
    }
    case 2:
    case 3: {
        const QColor &outer = style == 2 ? depth : line;
        const QColor &inner = style == 2 ? line : depth;
        const int d = width / 2 + width % 2 - 1;
        const int e = width % 2 == 0 ? 1 : 0;
        window.rectangle(L - d * tx, T - d * ty, R + (d + 2 + e) * tx, B + (d + 2 + e) * ty, outer);
        window.rectangle(L - (d + 1) * tx, T - (d + 1) * ty, R + (d + 1 + e) * tx, B + (d + 1 + e) * ty, inner);
        break;
    }
    case 4:
        window.setPenWidth(1);
        window.rectangle(L, T, R, B, depth);
        window.setPenWidth(4);
        window.line(R + 3 * tx, T + 8 * ty, R + 3 * tx, B, line);
        window.line(L + 8 * tx, B + 3 * ty, R + 3 * tx, B + 3 * ty, line);
        break;
    case 5: {
        const QColor box = ColorValue::toColor(lngFxBox);
        window.setPenWidth(1);
        for (int k = 0; k < width; ++k)
            window.rectangle(L - k * tx, T - k * ty, R + k * tx, B + k * ty, box);
        break;
    }
    }

    window.setPenColor(savedColour);
    window.setScaleUnit(savedUnit);
    window.setPenWidth(savedWidth);
}

void FrameDrawing::DrawSunkenEdge(const Control &control, DrawSurface &window)
{
    const QColor savedColour = window.penColor();
    const DrawSurface::ScaleUnit savedUnit = window.scaleUnit();
    window.setScaleUnit(DrawSurface::ScaleUnit::Pixels);

    const double L = control.left / window.twipsPerPixelX();
    const double T = control.top / window.twipsPerPixelY();
    const double W = control.width / window.twipsPerPixelX();
    const double H = control.height / window.twipsPerPixelY();
    const auto pair = [&window](qint32 colour, double a1, double b1, double a2, double b2, double c1, double d1,
                                double c2, double d2) {
        window.setPenColor(ColorValue::toColor(colour));
        window.line(a1, b1, a2, b2, window.penColor());
        window.line(c1, d1, c2, d2, window.penColor());
    };
    pair(ColorValue::black, L - 1, T - 1, L - 1, T + H + 1, L - 1, T - 1, L + W, T - 1);
    pair(ColorValue::darkGrey, L - 2, T - 2, L - 2, T + H + 1, L - 2, T - 2, L + W + 1, T - 2);
    pair(ColorValue::lightGrey, L, T + H, L + W + 1, T + H, L + W, T - 1, L + W, T + H + 1);
    pair(ColorValue::white, L - 1, T + H + 1, L + W + 2, T + H + 1, L + W + 1, T - 1, L + W + 1, T + H + 1);

    window.setPenColor(savedColour);
    window.setScaleUnit(savedUnit);
}
