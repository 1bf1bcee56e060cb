#include "draw/LargeSizesIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>

LargeSizesIconEngine::LargeSizesIconEngine(const QIcon &small, QList<int> largeSides, Draw draw)
    : m_small(small), m_largeSides(std::move(largeSides)), m_draw(std::move(draw))
{
    std::sort(m_largeSides.begin(), m_largeSides.end());
}

int LargeSizesIconEngine::largeSideFor(const QSize &size) const
{
    const QList<QSize> kept = m_small.availableSizes();
    const int side = qMax(size.width(), size.height());
    if (m_largeSides.isEmpty() || kept.isEmpty() || side <= kept.last().width())
        return 0;
    // As an icon of all the sizes picks: the smallest that is large enough, else the largest.
    for (int large : m_largeSides) {
        if (large >= side)
            return large;
    }
    return m_largeSides.last();
}

void LargeSizesIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    if (largeSideFor(rect.size()) == 0) {
        m_small.paint(painter, rect, Qt::AlignCenter, mode, state);
        return;
    }
    const QPixmap pm = pixmap(rect.size(), mode, state);
    painter->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, pm.size(), rect), pm);
}

// Drawn, scaled and given its mode here rather than by an icon of the drawn picture: such an icon
// puts what it hands out in the pixmap cache, where each window's copy would have stayed.
QPixmap LargeSizesIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const int large = largeSideFor(size);
    if (large == 0)
        return m_small.pixmap(size, mode, state);
    QPixmap pm = m_draw(large);
    if (pm.width() > size.width() || pm.height() > size.height())
        pm = pm.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (mode != QIcon::Normal) {
        QStyleOption option;
        option.palette = QApplication::palette();
        pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
    }
    return pm;
}

QSize LargeSizesIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const int large = largeSideFor(size);
    if (large == 0)
        return m_small.actualSize(size, mode, state);
    return QSize(large, large).scaled(size.boundedTo(QSize(large, large)), Qt::KeepAspectRatio);
}

QList<QSize> LargeSizesIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    QList<QSize> sizes = m_small.availableSizes(mode, state);
    for (int side : std::as_const(m_largeSides))
        sizes.append(QSize(side, side));
    return sizes;
}

QIconEngine *LargeSizesIconEngine::clone() const
{
    return new LargeSizesIconEngine(m_small, m_largeSides, m_draw);
}

QString LargeSizesIconEngine::key() const
{
    return QStringLiteral("LargeSizesIconEngine");
}
