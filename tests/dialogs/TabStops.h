#pragma once
// The order in which Tab visits a window's controls, for checking a dialog's designed tab order.

#include <QList>
#include <QWidget>

// The controls that Tab reaches after from, in order, up to and including from itself once the
// round is complete; labels and frames are passed over.
inline QList<QWidget *> tabStopsAfter(QWidget *from)
{
    QList<QWidget *> stops;
    QWidget *w = from;
    do {
        w = w->nextInFocusChain();
        if (w->focusPolicy() & Qt::TabFocus)
            stops.append(w);
    } while (w != from);
    return stops;
}
