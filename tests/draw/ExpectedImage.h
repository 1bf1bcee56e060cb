#pragma once

// Test helper: an expected picture painted pixel by pixel, independently of QPainter, and a
// comparison that names the first pixel where a drawing differs from it.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class ExpectedImage {
public:
    ExpectedImage(int width, int height, const QColor &background) : m_image(width, height, QImage::Format_RGB32)
    {
        m_image.fill(background);
    }

    // Fills the pixels from one corner to the other, both included, in either order.
    void fill(int x1, int y1, int x2, int y2, const QColor &colour)
    {
        const QRect area = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized() & m_image.rect();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                m_image.setPixel(x, y, colour.rgb());
    }

    const QImage &image() const { return m_image; }

    // Empty when the two pictures are equal, else where and how they first differ.
    static QString firstDifference(const QImage &actual, const QImage &expected)
    {
        if (actual.size() != expected.size())
            return QStringLiteral("sizes differ");
        const QImage a = actual.convertToFormat(QImage::Format_RGB32);
        if (a == expected)
            return QString();
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != expected.pixel(x, y))
                    return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                        .arg(x)
                        .arg(y)
                        .arg(QColor(a.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name());
        return QString();
    }

private:
    QImage m_image;
};
