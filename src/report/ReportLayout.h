#pragma once
// Lays a report out on pages: title, header blocks, the table with its headings on every page, page numbers.

#include "report/ReportContent.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Laid out with QPainter directly rather than through a rich-text document: a table of a thousand
// rows breaks into pages in milliseconds this way.
class ReportLayout {
public:
    explicit ReportLayout(ReportContent content);

    const ReportContent &content() const { return m_content; }

    // Paints every page onto a printer or PDF writer; false when the device cannot be painted on.
    bool paint(QPagedPaintDevice *device) const;
    // The number of pages the report takes on this device.
    int pageCount(QPagedPaintDevice *device) const;

    // "第 1 页 / 共 3 页"
    static QString pageFooter(int page, int pages);

private:
    struct Plan {
        qreal pt = 1; // one point in device pixels
        qreal padding = 0; // inside table cells
        QSizeF body; // the page less the footer
        QFont title, label, value, heading, cell, footer;
        qreal issuerHeight = 0; // the shop's name above the title; 0 without one
        qreal titleHeight = 0;
        qreal blocksTop = 0;
        QList<qreal> blockRowHeights;
        qreal blockX[4] = {}; // left edge of label, value, label, value
        qreal blockWidth[4] = {}; // and their widths
        QRectF chart; // where the picture goes on the first page; empty when there is none
        qreal tableTop = 0; // on the first page
        QList<qreal> columnX; // left edge of each column, then the table's right edge
        qreal headingHeight = 0;
        QList<qreal> rowHeights;
        QList<int> pageFirstRow; // the first table row on each page
    };

    Plan plan(QPagedPaintDevice *device) const;
    void paintBlocks(QPainter &p, const Plan &plan) const;
    void paintTableRow(QPainter &p, const Plan &plan, qreal y, int row) const;

    ReportContent m_content;
};
