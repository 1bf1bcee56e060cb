#include "commands/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

void centreOn(QWidget &window, const QWidget &anchor)
{
    const QWidget *over = anchor.window();
    QRect place(QPoint(), window.frameGeometry().size());
    place.moveCenter(over->frameGeometry().center());
    if (const QScreen *screen = over->screen()) {
        // A window larger than the main one would otherwise hang off the screen's edge, its title
        // bar out of reach.
        const QRect area = screen->availableGeometry();
        place.moveLeft(qMax(area.left(), qMin(place.left(), area.right() + 1 - place.width())));
        place.moveTop(qMax(area.top(), qMin(place.top(), area.bottom() + 1 - place.height())));
    }
    window.move(place.topLeft());
}
