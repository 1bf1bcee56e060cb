#include "commands/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

QRect fittedInto(const QRect &wanted, const QRect &area, const QSize &minimum)
{
    // A size saved on a larger screen, or written into the state file by hand, would open a window
    // whose title bar and edges are out of reach, and whose pixels alone take gigabytes.
    QRect place(wanted.topLeft(), wanted.size().boundedTo(area.size()).expandedTo(minimum));
    place.moveLeft(qMax(area.left(), qMin(place.left(), area.right() + 1 - place.width())));
    place.moveTop(qMax(area.top(), qMin(place.top(), area.bottom() + 1 - place.height())));
    return place;
}

void centreOn(QWidget &window, const QWidget &anchor)
{
    const QWidget *over = anchor.window();
    const QScreen *screen = over->screen();
    if (screen) {
        // The frame's own size is what the window manager adds around the window's contents.
        const QSize frame = window.frameGeometry().size() - window.size();
        const QSize room = screen->availableGeometry().size() - frame;
        if (window.width() > room.width() || window.height() > room.height())
            window.resize(window.size().boundedTo(room).expandedTo(window.minimumSizeHint()));
    }
    QRect place(QPoint(), window.frameGeometry().size());
    place.moveCenter(over->frameGeometry().center());
    // A window larger than the main one would otherwise hang off the screen's edge, its title bar
    // out of reach.
    if (screen)
        place = fittedInto(place, screen->availableGeometry());
    window.move(place.topLeft());
}
