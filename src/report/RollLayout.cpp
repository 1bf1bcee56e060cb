#include "report/RollLayout.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace {
const QColor kInk(0x10, 0x10, 0x10);
const int kWrap = Qt::TextWrapAnywhere;

// A thermal printer prints black or nothing; the faces are those the page reports use.
QFont rollFont(qreal points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("SimSun")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Where a text goes and how tall it is; drawn only when there is a painter.
struct Pen {
    QPaintDevice *device;
    QPainter *painter;

    qreal text(const QFont &font, const QRectF &box, int align, const QString &text) const
    {
        const QRectF used = QFontMetricsF(font, device).boundingRect(box, kWrap | align, text);
        const qreal height = std::max(used.height(), QFontMetricsF(font, device).height());
        if (painter) {
            painter->setFont(font);
            painter->drawText(QRectF(box.left(), box.top(), box.width(), height), kWrap | align, text);
        }
        return height;
    }
    void rule(qreal y, qreal width, qreal pt) const
    {
        if (!painter)
            return;
        painter->setPen(QPen(kInk, 0.5 * pt, Qt::DashLine));
        painter->drawLine(QPointF(0, y), QPointF(width, y));
        painter->setPen(kInk);
    }
};
} // namespace

RollLayout::RollLayout(ReportContent content) : m_content(std::move(content))
{ }

qreal RollLayout::layOut(QPagedPaintDevice *device, QPainter *painter) const
{
    const qreal pt = device->logicalDpiY() / 72.0;
    const qreal width = device->pageLayout().paintRectPixels(device->logicalDpiX()).width();
    // A 58 mm roll holds some 16 Chinese characters a line at this size, an 80 mm one some 24.
    const qreal base = m_content.rollWidth < 70 ? 7.5 : 9;
    const QFont title = rollFont(base + 3, true), bold = rollFont(base, true), plain = rollFont(base);
    // A table's cells a size smaller: a list's seven columns share the roll's width.
    const QFont cellBold = rollFont(base - 1, true), cell = rollFont(base - 1);
    const Pen pen {device, painter};
    const qreal gap = 3 * pt;
    qreal y = 0;
    if (!m_content.issuer.isEmpty())
        y += pen.text(rollFont(base + 1, true), QRectF(0, y, width, 0), Qt::AlignHCenter, m_content.issuer) + gap;
    y += pen.text(title, QRectF(0, y, width, 0), Qt::AlignHCenter, m_content.title) + gap;

    // A label and its value share a line where they fit; a long value takes the next line.
    const QFontMetricsF labelMetrics(plain, device), valueMetrics(bold, device);
    for (const QList<ReportContent::Pair> *block :
         {&m_content.firstBlock, &m_content.thirdBlock, &m_content.secondBlock})
        for (const ReportContent::Pair &pair : *block) {
            const qreal label = pair.label.isEmpty() ? 0 : labelMetrics.horizontalAdvance(pair.label);
            const qreal value = valueMetrics.horizontalAdvance(pair.value);
            qreal h = pen.text(plain, QRectF(0, y, width, 0), Qt::AlignLeft, pair.label);
            if (label + value + gap > width && label > 0)
                y += h;
            h = pen.text(bold, QRectF(0, y, width, 0), pair.label.isEmpty() ? Qt::AlignLeft : Qt::AlignRight,
                         pair.value);
            y += h + pt;
        }

    const int columns = int(m_content.headings.size());
    if (columns == 0)
        return y;
    y += gap;
    pen.rule(y, width, pt);
    y += gap;
    if (m_content.rowsAsLines) {
        // All but the last cell on the left, the last (the minutes, the amount) on the right.
        const auto line = [&](const QStringList &cells, const QFont &font) {
            const QString left = cells.mid(0, cells.size() - 1).join(QStringLiteral(" – "));
            const qreal right = QFontMetricsF(font, device).horizontalAdvance(cells.last());
            pen.text(font, QRectF(0, y, width - right - gap, 0), Qt::AlignLeft, left);
            return pen.text(font, QRectF(0, y, width, 0), Qt::AlignRight, cells.last()) + pt;
        };
        y += line(m_content.headings, bold);
        for (const ReportContent::Row &row : m_content.rows) {
            QStringList cells;
            for (const ReportContent::Cell &cell : row)
                cells << cell.text;
            y += line(cells, plain);
        }
        return y;
    }
    // Narrow cells: each column as wide as its widest text asks for, shrunk to the roll. An amount
    // broken over two lines reads as two amounts, a name as another customer's: while the roll
    // allows, the first column (what a row is of) and every column of numbers keep the width of
    // their cells (a heading wraps instead), and any other column room for two characters ("合计");
    // what the roll has beyond that goes to the columns as they ask for it.
    QList<qreal> natural(columns, 0);
    QList<qreal> floor(columns, 0);
    const QFontMetricsF cellMetrics(cell, device), headingMetrics(cellBold, device);
    const qreal fewest = headingMetrics.horizontalAdvance(QStringLiteral("合计"));
    QList<qreal> kept(columns, -1); // the widest cell of a column kept whole
    for (int c = 0; c < columns; ++c)
        natural[c] = std::min(headingMetrics.horizontalAdvance(m_content.headings[c]), width / 4);
    for (const ReportContent::Row &row : m_content.rows)
        for (int c = 0; c < columns && c < row.size(); ++c) {
            const qreal advance = std::min(cellMetrics.horizontalAdvance(row[c].text), width / 4);
            natural[c] = std::max(natural[c], advance);
            if (row[c].numeric || c == 0)
                kept[c] = std::max(kept[c], advance);
        }
    qreal total = 0, floors = 0;
    for (int c = 0; c < columns; ++c) {
        floor[c] = (kept[c] >= 0 ? std::max(kept[c], fewest) : std::min(natural[c], fewest)) + gap;
        floors += floor[c];
        total += natural[c] + gap;
    }
    // Below the floors every column shrinks alike, as it must.
    const bool floored = total > width && floors <= width && total > floors;
    QList<qreal> x = {0};
    for (int c = 0; c < columns; ++c) {
        const qreal own = natural[c] + gap;
        x.append(x.last()
                 + (floored ? floor[c] + std::max(own - floor[c], 0.0) * (width - floors) / (total - floors)
                            : own * width / total));
    }
    const auto row = [&](const auto &cellAt, const QFont &font) {
        qreal h = 0;
        for (int c = 0; c < columns; ++c) {
            const auto [text, numeric] = cellAt(c);
            h = std::max(h,
                         pen.text(font, QRectF(x[c], y, x[c + 1] - x[c] - gap / 2, 0),
                                  numeric ? Qt::AlignRight : Qt::AlignLeft, text));
        }
        return h + pt;
    };
    y += row([&](int c) { return std::pair(m_content.headings[c], false); }, cellBold);
    for (const ReportContent::Row &cells : m_content.rows)
        y += row(
            [&](int c) {
                return c < cells.size() ? std::pair(cells[c].text, cells[c].numeric) : std::pair(QString(), false);
            },
            cell);
    return y;
}

qreal RollLayout::lengthMm(QPagedPaintDevice *device) const
{
    const QMarginsF m = margins();
    return layOut(device, nullptr) / device->logicalDpiY() * 25.4 + m.top() + m.bottom();
}

bool RollLayout::paint(QPagedPaintDevice *device) const
{
    // Measured on a page long enough for any report, then painted on one exactly as long.
    const qreal width = m_content.rollWidth;
    device->setPageMargins(margins(), QPageLayout::Millimeter);
    device->setPageSize(QPageSize(QSizeF(width, 5000), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    const qreal length = std::max(lengthMm(device), width);
    device->setPageSize(QPageSize(QSizeF(width, length), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    QPainter p;
    if (!p.begin(device))
        return false;
    p.setPen(kInk);
    layOut(device, &p);
    return p.end();
}
