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

QRect roomInside(const QRect &area, const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    // The window manager frames a window only once it shows.
    if (frame == inner)
        return area.adjusted(8, 32, -8, -8);
    return area.adjusted(inner.left() - frame.left(), inner.top() - frame.top(), inner.right() - frame.right(),
                         inner.bottom() - frame.bottom());
}

void centreOn(QWidget &window, const QWidget &anchor)
{
    const QWidget *over = anchor.window();
    const QScreen *screen = over->screen();
    if (screen) {
        const QSize room = roomInside(screen->availableGeometry(), window).size();
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
