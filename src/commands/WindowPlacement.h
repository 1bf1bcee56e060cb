#pragma once
// Where a window opens: over the window the operator is looking at, not in a corner of the screen.

#include <QRect>

class QWidget;

// Moves window so that its centre lies on anchor's window's centre, kept whole on anchor's
// screen: a window larger than the screen's free area is first made as large as the area.
void centreOn(QWidget &window, const QWidget &anchor);

// The place a window saved as wanted takes in a screen's free area: no larger than the area
// (though never smaller than minimum), and moved whole into it.
QRect fittedInto(const QRect &wanted, const QRect &area, const QSize &minimum = QSize());

// The part of area that window's contents may take so that its frame, title bar included, stays
// on the screen too: the frame the window has, or room for a usual one before it first shows.
QRect roomInside(const QRect &area, const QWidget &window);
