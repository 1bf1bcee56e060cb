#pragma once
// Repaints a large changed area of a view a band of rows at a time, one band per turn of the event
// loop: a minute's refresh changes every row in sight, and drawing them all in one go keeps the
// window from the operator's keys and clicks for as long as that takes.

#include <QObject>
#include <QRect>
#include <QTimer>

class QAbstractScrollArea;

class BandedRepaint : public QObject {
public:
    // Bands of rowsPerBand rows each.
    explicit BandedRepaint(QAbstractScrollArea &view, int rowsPerBand = 3);

    // The area (in the viewport) shows changed cells in rows rowHeight pixels high: it is repainted
    // a band per turn of the event loop from the next one on, together with what already waits.
    void add(const QRect &area, int rowHeight);
    // What waits would be drawn where its rows are no longer (the view scrolled): the whole
    // viewport is repainted in the ordinary way instead, and nothing more waits.
    void dropWaiting();

private:
    void nextBand();

    QAbstractScrollArea &m_view;
    int m_rowsPerBand;
    int m_bandHeight = 1;
    QRect m_waiting;
    QTimer m_turn;
};
