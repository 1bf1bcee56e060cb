#pragma once
// Where a window opens: over the window the operator is looking at, not in a corner of the screen.

class QWidget;

// Moves window so that its centre lies on anchor's window's centre, kept whole on anchor's
// screen where it fits.
void centreOn(QWidget &window, const QWidget &anchor);
