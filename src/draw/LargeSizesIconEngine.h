#pragma once
// An icon whose small sizes are kept drawn and whose large ones are drawn each time they are asked for.

#include <QIcon>
#include <QIconEngine>

#include <functional>

// The application icon's 128 and 256 pixel sizes held four times the memory of all the others
// together, for the moment a window is made and hands its icon to the desktop. Drawing them takes
// about two milliseconds; keeping them took a third of a megabyte for the whole run.
class LargeSizesIconEngine : public QIconEngine {
public:
    using Draw = std::function<QPixmap(int side)>;
    // small: the sizes kept; largeSides: the larger sizes offered, drawn by draw when asked for.
    LargeSizesIconEngine(const QIcon &small, QList<int> largeSides, Draw draw);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    // The large size drawn for a request of size, as an icon of all the sizes picks; 0 where the
    // small ones answer it.
    int largeSideFor(const QSize &size) const;

    QIcon m_small;
    QList<int> m_largeSides; // ascending
    Draw m_draw;
};
