// Checks the frame styles pixel by pixel on an off-screen image standing in for the main window's
// retained image, and the frame metrics and state the frame drawing keeps.

#include "ExpectedImage.h"
#include "draw/ColorValue.h"
#include "draw/FrameDrawing.h"
#include "draw/PainterSurface.h"

#include <QTest>

#include <limits>

namespace {

const QColor background(1, 2, 3);
constexpr qint32 red = 255;
constexpr qint32 blue = 0xFF0000;

// The list in pixels: columns 20 to 69, rows 30 to 69.
const QRect listPixels(20, 30, 50, 40);

FrameDrawing framing(qint32 depth, qint32 line)
{
    FrameDrawing fx;
    fx.InitFrameMetrics(15, 15);
    fx.lngFxDepth = depth;
    fx.lngFxLine = line;
    fx.lngFxBox = line;
    return fx;
}

QImage framed(const FrameDrawing &fx, QSize size, const QRect &control, qint32 style, int width = 2)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    PainterSurface surface(&image, 15, 15);
    fx.FrameControl(FrameDrawing::Control::fromPixels(control, 15, 15), surface, 2, style, width);
    return image;
}

// The rings of styles 0 and 1: ring k lies gap + k pixels outside the control's outermost pixels.
void expectRings(ExpectedImage &expected, const QRect &control, int gap, int width, const QColor &topLeft,
                 const QColor &bottomRight)
{
    for (int k = 0; k < width; ++k) {
        const int l = control.left() - gap - k, t = control.top() - gap - k;
        const int r = control.right() + gap + k, b = control.bottom() + gap + k;
        expected.fill(l, t, l, b - 1, topLeft);
        expected.fill(l, t, r - 1, t, topLeft);
        expected.fill(r, t, r, b, bottomRight);
        expected.fill(l, b, r, b, bottomRight);
    }
}

} // namespace

class TestFrameDrawing : public QObject {
    Q_OBJECT

private slots:
    void initFrameMetrics_data();
    void initFrameMetrics();
    void defaultColoursOnlyWhileDepthIsBlack();
    void ringStyles_data();
    void ringStyles();
    void storedDefaultsDrawOutlineAndShadow();
    void etchedStyles_data();
    void etchedStyles();
    void boxStyleUsesBoxColour();
    void unknownStylesDrawNothing_data();
    void unknownStylesDrawNothing();
    void twelveTwipsScreenUsesFifteen();
    void sunkenEdgeDrawsEightLines();
    void surfaceStateIsRestored();
    void wideWindowGetsWholeFrame();
    void noFrameBeforeMetrics();
};

void TestFrameDrawing::initFrameMetrics_data()
{
    QTest::addColumn<double>("screenX");
    QTest::addColumn<double>("screenY");
    QTest::addColumn<int>("twipsX");
    QTest::addColumn<int>("twipsY");

    QTest::newRow("96 dpi") << 15.0 << 15.0 << 15 << 15;
    QTest::newRow("120 dpi uses 15") << 12.0 << 12.0 << 15 << 15;
    QTest::newRow("rounded to 12, then 15") << 12.4 << 11.6 << 15 << 15;
    QTest::newRow("144 dpi") << 10.0 << 10.0 << 10 << 10;
    QTest::newRow("uneven axes") << 15.2 << 20.0 << 15 << 20;
    QTest::newRow("below one twip kept at one") << 0.2 << 0.0 << 1 << 1;
}

void TestFrameDrawing::initFrameMetrics()
{
    QFETCH(double, screenX);
    QFETCH(double, screenY);
    FrameDrawing fx;
    fx.InitFrameMetrics(screenX, screenY);
    QTEST(fx.intFxTwipsX, "twipsX");
    QTEST(fx.intFxTwipsY, "twipsY");
}

void TestFrameDrawing::defaultColoursOnlyWhileDepthIsBlack()
{
    FrameDrawing fresh;
    fresh.InitFrameMetrics(15, 15);
    QCOMPARE(fresh.lngFxDepth, ColorValue::white);
    QCOMPARE(fresh.lngFxBox, ColorValue::lightGrey);
    QCOMPARE(fresh.lngFxLine, ColorValue::darkGrey);

    FrameDrawing set;
    set.lngFxDepth = red;
    set.lngFxLine = blue;
    set.InitFrameMetrics(15, 15);
    QCOMPARE(set.lngFxDepth, red);
    QCOMPARE(set.lngFxLine, blue);
    QCOMPARE(set.lngFxBox, 0);
}

void TestFrameDrawing::ringStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::newRow("style 0, width 2") << 0 << 2;
    QTest::newRow("style 0, width 3") << 0 << 3;
    QTest::newRow("style 1, width 2") << 1 << 2;
}

void TestFrameDrawing::ringStyles()
{
    QFETCH(int, style);
    QFETCH(int, width);
    const QImage image = framed(framing(red, blue), QSize(100, 100), listPixels, style, width);

    const QColor depth = ColorValue::toColor(red);
    const QColor line = ColorValue::toColor(blue);
    const QColor &topLeft = style == 0 ? depth : line;
    const QColor &bottomRight = style == 0 ? line : depth;
    // Two and three pixels outside the list's last pixel, on every side.
    QCOMPARE(image.pixelColor(18, 50), topLeft);
    QCOMPARE(image.pixelColor(17, 50), topLeft);
    QCOMPARE(image.pixelColor(19, 50), background);
    QCOMPARE(image.pixelColor(50, 28), topLeft);
    QCOMPARE(image.pixelColor(71, 50), bottomRight);
    QCOMPARE(image.pixelColor(72, 50), bottomRight);
    QCOMPARE(image.pixelColor(70, 50), background);
    QCOMPARE(image.pixelColor(50, 72), bottomRight);

    ExpectedImage expected(100, 100, background);
    expectRings(expected, listPixels, 2, width, topLeft, bottomRight);
    QCOMPARE(ExpectedImage::firstDifference(image, expected.image()), QString());
}

void TestFrameDrawing::storedDefaultsDrawOutlineAndShadow()
{
    const QImage image = framed(framing(ColorValue::black, ColorValue::white), QSize(100, 100), listPixels, 4);

    // A one-pixel black outline two pixels outside the list (18..71), and a white shadow four
    // pixels wide centred three pixels beyond it, its lines starting eight pixels from the
    // outline's ends; the four-pixel pen reaches two pixels before each line's start.
    ExpectedImage expected(100, 100, background);
    expected.fill(18, 28, 71, 71, Qt::black);
    expected.fill(19, 29, 70, 70, background);
    expected.fill(72, 34, 75, 72, Qt::white);
    expected.fill(24, 72, 75, 75, Qt::white);
    QCOMPARE(ExpectedImage::firstDifference(image, expected.image()), QString());
}

void TestFrameDrawing::etchedStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::newRow("style 2, width 1") << 2 << 1;
    QTest::newRow("style 3, width 1") << 3 << 1;
    QTest::newRow("style 2, width 2") << 2 << 2;
}

void TestFrameDrawing::etchedStyles()
{
    QFETCH(int, style);
    QFETCH(int, width);
    const QImage image = framed(framing(red, blue), QSize(100, 100), listPixels, style, width);

    const QColor depth = ColorValue::toColor(red);
    const QColor line = ColorValue::toColor(blue);
    const QColor &first = style == 2 ? depth : line;
    const QColor &second = style == 2 ? line : depth;
    // Frame edges L, T = 18, 28 and R, B = 71, 71; two outlines, the second one pixel up and left.
    ExpectedImage expected(100, 100, background);
    const auto outline = [&](int l, int t, int r, int b, const QColor &colour) {
        const int out = width / 2, in = width - 1 - out;
        expected.fill(l - out, t - out, r + in, t + in, colour);
        expected.fill(l - out, b - out, r + in, b + in, colour);
        expected.fill(l - out, t - out, l + in, b + in, colour);
        expected.fill(r - out, t - out, r + in, b + in, colour);
    };
    if (width == 1) {
        outline(18, 28, 73, 73, first);
        outline(17, 27, 72, 72, second);
    } else {
        outline(18, 28, 74, 74, first);
        outline(17, 27, 73, 73, second);
    }
    QCOMPARE(ExpectedImage::firstDifference(image, expected.image()), QString());
}

void TestFrameDrawing::boxStyleUsesBoxColour()
{
    FrameDrawing fx = framing(red, blue);
    fx.lngFxBox = ColorValue::lightGrey;
    const QImage image = framed(fx, QSize(100, 100), listPixels, 5, 2);

    const QColor box = ColorValue::toColor(ColorValue::lightGrey);
    ExpectedImage expected(100, 100, background);
    expected.fill(17, 27, 72, 72, box);
    expected.fill(19, 29, 70, 70, background);
    QCOMPARE(ExpectedImage::firstDifference(image, expected.image()), QString());
}

void TestFrameDrawing::unknownStylesDrawNothing_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("7") << 7;
    QTest::newRow("-1") << -1;
    QTest::newRow("largest") << std::numeric_limits<qint32>::max();
    QTest::newRow("smallest") << std::numeric_limits<qint32>::min();
}

void TestFrameDrawing::unknownStylesDrawNothing()
{
    QFETCH(int, style);
    const QImage image = framed(framing(red, blue), QSize(100, 100), listPixels, style);
    QCOMPARE(ExpectedImage::firstDifference(image, ExpectedImage(100, 100, background).image()), QString());
}

void TestFrameDrawing::twelveTwipsScreenUsesFifteen()
{
    FrameDrawing fx;
    fx.InitFrameMetrics(12, 12);
    fx.lngFxBox = blue;
    QImage image(250, 250, QImage::Format_RGB32);
    image.fill(background);
    PainterSurface screen(&image, 12, 12);

    // 1770 twips is frame pixel 118, so the edge is at 116 frame pixels, 1740 twips, which a
    // 12-twip screen shows at pixel 145; the right edge, frame pixel 156, at pixel 195. Frame
    // pixels are 1.25 screen pixels.
    const FrameDrawing::Control control {1770, 1770, 545, 545};
    fx.FrameControl(control, screen, 2, 5, 1);

    const QColor box = ColorValue::toColor(blue);
    ExpectedImage expected(250, 250, background);
    expected.fill(145, 145, 195, 195, box);
    expected.fill(146, 146, 194, 194, background);
    QCOMPARE(ExpectedImage::firstDifference(image, expected.image()), QString());
}

void TestFrameDrawing::sunkenEdgeDrawsEightLines()
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(background);
    PainterSurface surface(&image, 15, 15);
    // Gap and width do not matter to this style; the colour settings neither.
    framing(red, blue).FrameControl(FrameDrawing::Control::fromPixels(listPixels, 15, 15), surface, 9, 6, 9);

    // L, T = 20, 30; W, H = 50, 40; each line leaves out its end point.
    const QColor black = Qt::black, dark(128, 128, 128), light(192, 192, 192), white = Qt::white;
    ExpectedImage expected(100, 100, background);
    expected.fill(19, 29, 19, 70, black);
    expected.fill(19, 29, 69, 29, black);
    expected.fill(18, 28, 18, 70, dark);
    expected.fill(18, 28, 70, 28, dark);
    expected.fill(20, 70, 70, 70, light);
    expected.fill(70, 29, 70, 70, light);
    expected.fill(19, 71, 71, 71, white);
    expected.fill(71, 29, 71, 70, white);
    QCOMPARE(ExpectedImage::firstDifference(image, expected.image()), QString());
}

void TestFrameDrawing::surfaceStateIsRestored()
{
    for (int style : {0, 4, 6}) {
        QImage image(100, 100, QImage::Format_RGB32);
        PainterSurface surface(&image, 15, 15);
        surface.setScaleUnit(DrawSurface::ScaleUnit::Pixels);
        surface.setPenColor(Qt::green);
        surface.setPenWidth(1);
        framing(red, blue).FrameControl(FrameDrawing::Control::fromPixels(listPixels, 15, 15), surface, 2, style, 3);
        QCOMPARE(surface.scaleUnit(), DrawSurface::ScaleUnit::Pixels);
        QCOMPARE(surface.penColor(), QColor(Qt::green));
        QCOMPARE(surface.penWidth(), 1);
        QCOMPARE(surface.retainedDrawing(), false);
    }
}

void TestFrameDrawing::wideWindowGetsWholeFrame()
{
    // 2,980 pixels are 44,700 twips, well past what 16-bit arithmetic could hold.
    const QRect wideList(10, 10, 2970, 2370);
    const QImage image = framed(framing(red, blue), QSize(3000, 2400), wideList, 0);

    ExpectedImage expected(3000, 2400, background);
    expectRings(expected, wideList, 2, 2, ColorValue::toColor(red), ColorValue::toColor(blue));
    QCOMPARE(image.pixelColor(2982, 2382), ColorValue::toColor(blue));
    QCOMPARE(ExpectedImage::firstDifference(image, expected.image()), QString());
}

void TestFrameDrawing::noFrameBeforeMetrics()
{
    FrameDrawing fx;
    const QImage image = framed(fx, QSize(100, 100), listPixels, 4);
    QCOMPARE(ExpectedImage::firstDifference(image, ExpectedImage(100, 100, background).image()), QString());
}

QTEST_MAIN(TestFrameDrawing)
#include "tst_framedrawing.moc"
