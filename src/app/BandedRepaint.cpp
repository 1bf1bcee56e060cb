#include "app/BandedRepaint.h"

#include <QAbstractScrollArea>

#include <algorithm>

BandedRepaint::BandedRepaint(QAbstractScrollArea &view, int rowsPerBand)
    : QObject(&view), m_view(view), m_rowsPerBand(std::max(1, rowsPerBand))
{
    m_turn.setSingleShot(true);
    m_turn.setInterval(0);
    connect(&m_turn, &QTimer::timeout, this, &BandedRepaint::nextBand);
}

void BandedRepaint::add(const QRect &area, int rowHeight)
{
    if (area.isEmpty())
        return;
    m_bandHeight = std::max(1, rowHeight) * m_rowsPerBand;
    m_waiting |= area;
    if (!m_turn.isActive())
        m_turn.start();
}

void BandedRepaint::dropWaiting()
{
    if (m_waiting.isEmpty())
        return;
    m_waiting = QRect();
    m_turn.stop();
    m_view.viewport()->update();
}

void BandedRepaint::nextBand()
{
    if (m_waiting.isEmpty())
        return;
    QRect band = m_waiting;
    band.setHeight(std::min(m_bandHeight, m_waiting.height()));
    // Drawn now, not merely marked: marked bands would all be drawn together at the next paint.
    m_view.viewport()->repaint(band);
    m_waiting.setTop(band.bottom() + 1);
    if (m_waiting.top() > m_waiting.bottom())
        m_waiting = QRect();
    else
        m_turn.start();
}
