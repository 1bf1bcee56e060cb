// Writes the application icon as PNG files for the desktop's icon theme, at the sizes asked for:
//   vantorel_export_icon <theme folder> <icon name> <size>...
// gives <theme folder>/<size>x<size>/apps/<icon name>.png for each size, and
//   vantorel_export_icon --ico <file.ico> <size>...
// one Windows icon file holding every size, for the program file and its shortcut. The pictures
// are the ones the program shows in its own title bar, so the menu and the window never differ.

#include "draw/Artwork.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>
#include <QtEndian>

namespace {
// An icon file whose pictures are PNG streams, as Windows reads them since Vista: a six-byte
// header, a sixteen-byte entry per picture, then the pictures.
QByteArray iconFile(const QList<QImage> &images)
{
    QByteArray head(6 + 16 * images.size(), '\0');
    QByteArray data;
    qToLittleEndian<quint16>(1, head.data() + 2);
    qToLittleEndian<quint16>(quint16(images.size()), head.data() + 4);
    for (qsizetype i = 0; i < images.size(); ++i) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        images.at(i).save(&buffer, "PNG");
        char *entry = head.data() + 6 + 16 * i;
        entry[0] = char(images.at(i).width() & 0xff); // 0 stands for 256
        entry[1] = char(images.at(i).height() & 0xff);
        qToLittleEndian<quint16>(1, entry + 4);  // planes
        qToLittleEndian<quint16>(32, entry + 6); // bits per pixel
        qToLittleEndian<quint32>(quint32(png.size()), entry + 8);
        qToLittleEndian<quint32>(quint32(head.size() + data.size()), entry + 12);
        data += png;
    }
    return head + data;
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: vantorel_export_icon <theme folder> <icon name> <size>...\n"
               "       vantorel_export_icon --ico <file.ico> <size>...\n";
        return 2;
    }
    const QIcon icon = Artwork::appIcon();
    const bool ico = args.at(1) == QLatin1String("--ico");
    QList<QImage> images;
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int side = args.at(i).toInt(&ok);
        if (!ok || side <= 0) {
            err << "not a size: " << args.at(i) << '\n';
            return 2;
        }
        // Only the icon's own pictures at exactly this size: a picture scaled from another size
        // would blur in the menu.
        if (!icon.availableSizes().contains(QSize(side, side))) {
            err << "the application icon has no " << side << " pixel picture\n";
            return 1;
        }
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage();
        if (ico) {
            images.append(image);
            continue;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args.at(1)).arg(side);
        const QString file = folder + u'/' + args.at(2) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            err << "cannot write " << file << '\n';
            return 1;
        }
    }
    if (ico) {
        QSaveFile file(args.at(2));
        if (!file.open(QIODevice::WriteOnly) || file.write(iconFile(images)) < 0 || !file.commit()) {
            err << "cannot write " << args.at(2) << '\n';
            return 1;
        }
    }
    return 0;
}
