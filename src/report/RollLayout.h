#pragma once
// Lays a report out on a roll of counter-printer paper: one page as long as the report, its text
// as wide as the roll.

#include "report/ReportContent.h"

#include <QMarginsF>

class QPagedPaintDevice;
class QPainter;

// Top to bottom: the shop's name and the title, centred; every header entry on a line of its own
// (the first block, the receipt's lines, the second block),
// label on the left and value on the right; then the table, as a line per row or as narrow cells.
class RollLayout {
public:
    explicit RollLayout(ReportContent content);

    const ReportContent &content() const { return m_content; }

    // A roll printer leaves only a few mm unprinted at either edge.
    static QMarginsF margins() { return {3, 4, 3, 6}; }

    // Sizes the device's page to the roll's width and to the length the report takes on it, then
    // paints it; false when the device cannot be painted on.
    bool paint(QPagedPaintDevice *device) const;
    // The length of paper in mm, margins included, the report takes on this device.
    qreal lengthMm(QPagedPaintDevice *device) const;

private:
    // Measures when painter is null, paints otherwise; returns the height in device pixels.
    qreal layOut(QPagedPaintDevice *device, QPainter *painter) const;

    ReportContent m_content;
};
