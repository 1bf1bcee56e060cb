#include "draw/Artwork.h"

#include "draw/LargeSizesIconEngine.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <initializer_list>

// Resources in a static library must be registered by name from outside any namespace.
static void registerArtworkResource()
{
    Q_INIT_RESOURCE(artwork);
}

namespace {

const QString folder = QStringLiteral(":/draw/artwork/");

const char *const toolbarFiles[Artwork::toolbarImageCount] = {
    "toolbar-01-new.svg",     "toolbar-02-remove.svg", "toolbar-03-start.svg", "toolbar-04-preview.svg",
    "toolbar-05-print.svg",   "toolbar-06-scheme.svg", "toolbar-07-style.svg", "toolbar-08-spare.svg",
    "toolbar-09-history.svg", "toolbar-10-help.svg",   "toolbar-11-find.svg",
};

const char *const listFiles[Artwork::listImageCount] = {"list-01-timed.svg", "list-02-stopped.svg"};

// An image keeps the engine that painted it, with the engine's buffers, for as long as it lives:
// a picture kept for the whole run is a plain copy of the pixels, and the engine goes at once.
QImage kept(const QImage &painted)
{
    return painted.copy();
}

QImage renderImage(const QString &file, QSize size)
{
    Artwork::initResources();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(folder + file);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return kept(image);
}

QPixmap renderPixmap(const QString &file, QSize size)
{
    return QPixmap::fromImage(renderImage(file, size));
}

QIcon iconAt(const QString &file, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int side : sizes)
        icon.addPixmap(renderPixmap(file, QSize(side, side)));
    return icon;
}

// The pictures of the dialog buttons: the mark on the left, the two characters beside it. The
// characters are drawn here rather than in the vector source, whose fonts cannot be relied on.
QPixmap buttonPicture(const QString &markFile, const QString &caption)
{
    QImage image = renderImage(markFile, QSize(24, 24));
    QImage picture(Artwork::buttonPictureSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);

    QPainter painter(&picture);
    painter.drawImage(QPoint(4, 4), image);
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawText(QRect(32, 0, 38, 32), Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter.end();
    return QPixmap::fromImage(kept(picture));
}

} // namespace

QIcon Artwork::toolbarIcon(int n)
{
    if (n < 1 || n > toolbarImageCount)
        return QIcon();
    return iconAt(QLatin1String(toolbarFiles[n - 1]), {16, 24, 32, 48});
}

QIcon Artwork::listIcon(int n)
{
    if (n < 1 || n > listImageCount)
        return QIcon();
    return iconAt(QLatin1String(listFiles[n - 1]), {16, 24, 32, 48});
}

QIcon Artwork::listIcon(int n, int limitMark)
{
    static const char *const marks[] = {"limit-near.svg", "limit-reached.svg"};
    if (limitMark < 1 || limitMark > 2 || n < 1 || n > listImageCount)
        return listIcon(n);
    QIcon icon;
    for (const int side : {16, 24, 32, 48}) {
        QImage picture = renderImage(QLatin1String(listFiles[n - 1]), QSize(side, side));
        // Big enough to tell the two marks apart at 16 pixels, small enough to leave the clock seen.
        const int mark = side * 5 / 8;
        QPainter painter(&picture);
        painter.drawImage(QPoint(side - mark, side - mark),
                          renderImage(QLatin1String(marks[limitMark - 1]), QSize(mark, mark)));
        painter.end();
        icon.addPixmap(QPixmap::fromImage(kept(picture)));
    }
    return icon;
}

QIcon Artwork::appIcon()
{
    // Drawn once: the program, the splash, every dialog and the tray show it, and its largest
    // sizes took as long to draw as the rest of the start before the splash could show.
    static const QIcon *const drawn = [] {
        // The small drawing keeps the shapes apart at 16 and 24 pixels; the large one has the detail.
        QIcon small = iconAt(QStringLiteral("app-small.svg"), {16, 24});
        for (int side : {32, 48, 64})
            small.addPixmap(renderPixmap(QStringLiteral("app.svg"), QSize(side, side)));
        return new QIcon(new LargeSizesIconEngine(small, {128, 256}, [](int side) {
            return renderPixmap(QStringLiteral("app.svg"), QSize(side, side));
        }));
    }();
    return *drawn;
}

QPixmap Artwork::appPicture(int side)
{
    return renderPixmap(side <= 24 ? QStringLiteral("app-small.svg") : QStringLiteral("app.svg"), QSize(side, side));
}

QPixmap Artwork::okButtonPicture()
{
    return buttonPicture(QStringLiteral("tick.svg"), QStringLiteral("确定"));
}

QPixmap Artwork::cancelButtonPicture()
{
    return buttonPicture(QStringLiteral("cross.svg"), QStringLiteral("取消"));
}

QPixmap Artwork::splashBackground()
{
    return renderPixmap(QStringLiteral("splash.svg"), splashSize);
}

void Artwork::initResources()
{
    static const bool registered = (registerArtworkResource(), true);
    Q_UNUSED(registered);
}
