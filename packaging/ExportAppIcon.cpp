// Writes the application icon as PNG files for the desktop's icon theme, at the sizes asked for:
//   vantorel_export_icon <theme folder> <icon name> <size>...
// gives <theme folder>/<size>x<size>/apps/<icon name>.png for each size. The pictures are the
// ones the program shows in its own title bar, so the menu and the window never differ.

#include "draw/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: vantorel_export_icon <theme folder> <icon name> <size>...\n";
        return 2;
    }
    const QIcon icon = Artwork::appIcon();
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int side = args.at(i).toInt(&ok);
        if (!ok || side <= 0) {
            err << "not a size: " << args.at(i) << '\n';
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args.at(1)).arg(side);
        const QString file = folder + u'/' + args.at(2) + QStringLiteral(".png");
        // Only the icon's own pictures at exactly this size: a picture scaled from another size
        // would blur in the menu.
        if (!icon.availableSizes().contains(QSize(side, side))) {
            err << "the application icon has no " << side << " pixel picture\n";
            return 1;
        }
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage();
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            err << "cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
