// Checks that every picture the program ships loads from the library's resources at the sizes the
// windows ask for, and that the pictures keep the properties the windows rely on.

#include "draw/Artwork.h"

#include <QImage>
#include <QTest>

namespace {

// Pixels a picture really draws, so that an empty or failed rendering cannot pass as an icon.
int paintedPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

int pixelsLike(const QImage &image, const QRect &area, bool (*matches)(QColor))
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

bool isBlue(QColor c)
{
    return c.alpha() > 128 && c.blue() > 150 && c.red() < 120;
}

bool isDark(QColor c)
{
    return c.alpha() > 128 && c.lightness() < 100;
}

void verifyIcon(const QIcon &icon, int side)
{
    QVERIFY(!icon.isNull());
    const QPixmap pixmap = icon.pixmap(side, side);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), QSize(side, side));
    QVERIFY2(paintedPixels(pixmap.toImage()) > side * side / 5, "the icon is nearly empty");
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void iconsLoad_data();
    void iconsLoad();
    void imagesOutsideTheListsAreNull();
    void buttonPictures();
    void splashBackgroundLeavesTitleReadable();
};

void TestArtwork::iconsLoad_data()
{
    QTest::addColumn<QIcon>("icon");
    QTest::addColumn<int>("side");
    for (int n = 1; n <= Artwork::toolbarImageCount; ++n) {
        QTest::addRow("toolbar %d at 16", n) << Artwork::toolbarIcon(n) << 16;
        QTest::addRow("toolbar %d at 32", n) << Artwork::toolbarIcon(n) << 32;
    }
    for (int n = 1; n <= Artwork::listImageCount; ++n) {
        QTest::addRow("list %d at 16", n) << Artwork::listIcon(n) << 16;
        QTest::addRow("list %d at 32", n) << Artwork::listIcon(n) << 32;
    }
    for (int side : {16, 32, 48, 128, 256})
        QTest::addRow("application at %d", side) << Artwork::appIcon() << side;
}

void TestArtwork::iconsLoad()
{
    QFETCH(QIcon, icon);
    QFETCH(int, side);
    verifyIcon(icon, side);
}

void TestArtwork::imagesOutsideTheListsAreNull()
{
    QVERIFY(Artwork::toolbarIcon(0).isNull());
    QVERIFY(Artwork::toolbarIcon(Artwork::toolbarImageCount + 1).isNull());
    QVERIFY(Artwork::listIcon(0).isNull());
    QVERIFY(Artwork::listIcon(Artwork::listImageCount + 1).isNull());
}

void TestArtwork::buttonPictures()
{
    for (const QPixmap &picture : {Artwork::okButtonPicture(), Artwork::cancelButtonPicture()}) {
        QCOMPARE(picture.size(), QSize(72, 32));
        const QImage image = picture.toImage();
        QVERIFY(image.hasAlphaChannel());
        for (const QPoint corner : {QPoint(0, 0), QPoint(71, 0), QPoint(0, 31), QPoint(71, 31)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        // The blue mark on the left, the two characters on the right.
        QVERIFY(pixelsLike(image, QRect(0, 0, 30, 32), isBlue) > 40);
        QVERIFY(pixelsLike(image, QRect(32, 0, 40, 32), isDark) > 20);
    }
    QVERIFY(Artwork::okButtonPicture().toImage() != Artwork::cancelButtonPicture().toImage());
}

void TestArtwork::splashBackgroundLeavesTitleReadable()
{
    const QImage splash = Artwork::splashBackground().toImage();
    QCOMPARE(splash.size(), QSize(378, 256));
    QCOMPARE(paintedPixels(splash), 378 * 256);

    // The icon, the blue title and the red version text sit on light ground.
    for (const QRect &area : {QRect(20, 20, 32, 32), QRect(60, 55, 286, 36), QRect(215, 90, 111, 26)}) {
        const int light = pixelsLike(splash, area, [](QColor c) { return c.lightness() > 200; });
        QCOMPARE(light, area.width() * area.height());
    }
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
