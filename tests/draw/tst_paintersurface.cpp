// Checks the pen rules of the painter surface pixel by pixel: which pixels a line or an outline
// covers for each pen width and scale unit.

#include "ExpectedImage.h"
#include "draw/PainterSurface.h"

#include <QTest>

namespace {

const QColor background(1, 2, 3);
const QColor ink(200, 40, 10);

// A blank image and a surface over it at 15 twips per pixel.
struct Canvas {
    QImage image;
    PainterSurface surface;

    explicit Canvas(QSize size, int penWidth = 1, DrawSurface::ScaleUnit unit = DrawSurface::ScaleUnit::Pixels)
        : image(size, QImage::Format_RGB32), surface(&image, 15, 15)
    {
        image.fill(background);
        surface.setScaleUnit(unit);
        surface.setPenWidth(penWidth);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;
};

} // namespace

class TestPainterSurface : public QObject {
    Q_OBJECT

private slots:
    void line_data();
    void line();
    void rectangleOutline_data();
    void rectangleOutline();
    void slantedLineLeavesOutItsEnd();
    void twipsPerPixelFollowsTheDevice();
    void absurdCoordinatesAreClipped();
};

void TestPainterSurface::line_data()
{
    QTest::addColumn<bool>("inTwips");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("covered"); // corners included; null when nothing is drawn

    const auto rect = [](int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); };
    QTest::newRow("right, end left out") << false << 1 << QPoint(2, 5) << QPoint(8, 5) << rect(2, 5, 7, 5);
    QTest::newRow("left, end left out") << false << 1 << QPoint(8, 5) << QPoint(2, 5) << rect(3, 5, 8, 5);
    QTest::newRow("down") << false << 1 << QPoint(4, 1) << QPoint(4, 9) << rect(4, 1, 4, 8);
    QTest::newRow("up") << false << 1 << QPoint(4, 9) << QPoint(4, 1) << rect(4, 2, 4, 9);
    QTest::newRow("single point") << false << 1 << QPoint(3, 3) << QPoint(3, 3) << QRect();
    QTest::newRow("twips at 15 per pixel") << true << 1 << QPoint(30, 75) << QPoint(150, 75) << rect(2, 5, 9, 5);
    QTest::newRow("twips between pixels round") << true << 1 << QPoint(37, 82) << QPoint(142, 82) << rect(2, 5, 8, 5);
    QTest::newRow("width 2: one before, end kept")
        << false << 2 << QPoint(10, 10) << QPoint(20, 10) << rect(9, 9, 20, 10);
    QTest::newRow("width 3: one each side") << false << 3 << QPoint(10, 10) << QPoint(10, 20) << rect(9, 9, 11, 21);
    QTest::newRow("width 4: two before, one after")
        << false << 4 << QPoint(20, 10) << QPoint(10, 10) << rect(8, 8, 21, 11);
    QTest::newRow("width 4 point is a square") << false << 4 << QPoint(10, 10) << QPoint(10, 10) << rect(8, 8, 11, 11);
}

void TestPainterSurface::line()
{
    QFETCH(bool, inTwips);
    QFETCH(int, penWidth);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, covered);

    Canvas canvas(QSize(32, 32), penWidth, inTwips ? DrawSurface::ScaleUnit::Twips : DrawSurface::ScaleUnit::Pixels);
    canvas.surface.line(from.x(), from.y(), to.x(), to.y(), ink);

    ExpectedImage expected(32, 32, background);
    if (!covered.isNull())
        expected.fill(covered.left(), covered.top(), covered.right(), covered.bottom(), ink);
    QCOMPARE(ExpectedImage::firstDifference(canvas.image, expected.image()), QString());
}

void TestPainterSurface::rectangleOutline_data()
{
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<QPoint>("corner1");
    QTest::addColumn<QPoint>("corner2");

    QTest::newRow("one pixel") << 1 << QPoint(4, 6) << QPoint(20, 15);
    QTest::newRow("corners swapped") << 1 << QPoint(20, 15) << QPoint(4, 6);
    QTest::newRow("three pixels") << 3 << QPoint(4, 6) << QPoint(20, 15);
}

void TestPainterSurface::rectangleOutline()
{
    QFETCH(int, penWidth);
    QFETCH(QPoint, corner1);
    QFETCH(QPoint, corner2);

    Canvas canvas(QSize(32, 32), penWidth);
    canvas.surface.rectangle(corner1.x(), corner1.y(), corner2.x(), corner2.y(), ink);

    // Both corners lie on the outline; a wide pen covers penWidth / 2 pixels outside of it.
    const int out = penWidth / 2;
    const int in = penWidth - 1 - out;
    const int l = 4, t = 6, r = 20, b = 15;
    ExpectedImage expected(32, 32, background);
    expected.fill(l - out, t - out, r + in, b + in, ink);
    expected.fill(l + in + 1, t + in + 1, r - out - 1, b - out - 1, background);
    QCOMPARE(ExpectedImage::firstDifference(canvas.image, expected.image()), QString());
}

void TestPainterSurface::slantedLineLeavesOutItsEnd()
{
    Canvas canvas(QSize(8, 8));
    canvas.surface.line(0, 0, 4, 4, ink);

    ExpectedImage expected(8, 8, background);
    for (int i = 0; i < 4; ++i)
        expected.fill(i, i, i, i, ink);
    QCOMPARE(ExpectedImage::firstDifference(canvas.image, expected.image()), QString());
}

void TestPainterSurface::twipsPerPixelFollowsTheDevice()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 dots per inch
    image.setDotsPerMeterY(4724); // 120 dots per inch
    PainterSurface surface(&image);
    QCOMPARE(surface.twipsPerPixelX(), 15.0);
    QCOMPARE(surface.twipsPerPixelY(), 12.0);
}

void TestPainterSurface::absurdCoordinatesAreClipped()
{
    Canvas canvas(QSize(16, 4));
    canvas.surface.line(-1e300, 1, 1e300, 1, ink);
    canvas.surface.line(-1e12, -1e12, 1e12, 1e12, ink);

    ExpectedImage expected(16, 4, background);
    expected.fill(0, 1, 15, 1, ink);
    for (int i = 0; i < 4; ++i)
        expected.fill(i, i, i, i, ink);
    QCOMPARE(ExpectedImage::firstDifference(canvas.image, expected.image()), QString());
}

QTEST_MAIN(TestPainterSurface)
#include "tst_paintersurface.moc"
