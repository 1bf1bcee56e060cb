#include "report/ReportLayout.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {
const QColor kInk(0x20, 0x20, 0x20);
const QColor kMuted(0x5a, 0x62, 0x6e);
const QColor kRule(0x9a, 0xa4, 0xb0);
const QColor kHeadingFill(0xdd, 0xe6, 0xf0);
const QColor kStripeFill(0xf3, 0xf5, 0xf8);

// Faces that hold both Chinese and Latin text first; where none is installed, Latin text comes
// from a plain sans face and Chinese from whichever Chinese face there is. Missing ones are skipped.
QFont reportFont(qreal points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("SimSun")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Long texts wrap between words, and inside a word (a formula, a Chinese phrase) when they must.
QTextOption textOption(Qt::Alignment horizontal)
{
    QTextOption option(horizontal | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// metrics are the font's on the device, made once by the caller: making them resolves the font's
// faces again, which costs more than measuring a cell. advance is the text's width when known.
qreal textHeight(const QString &text, const QFontMetricsF &metrics, const QFont &font, const QPaintDevice *device,
                 qreal width, qreal advance = -1)
{
    if (advance < 0)
        advance = metrics.horizontalAdvance(text);
    if (advance <= width && !text.contains(u'\n'))
        return metrics.height();
    QTextLayout layout(text, font, device);
    layout.setTextOption(textOption(Qt::AlignLeft));
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return std::max(height, metrics.height());
}

qreal widest(const QList<ReportContent::Pair> &block, const QFontMetricsF &metrics)
{
    qreal w = 0;
    for (const ReportContent::Pair &pair : block)
        w = std::max(w, metrics.horizontalAdvance(pair.label));
    return w;
}
} // namespace

ReportLayout::ReportLayout(ReportContent content) : m_content(std::move(content))
{ }

QString ReportLayout::pageFooter(int page, int pages)
{
    return QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages);
}

ReportLayout::Plan ReportLayout::plan(QPagedPaintDevice *device) const
{
    // Everything is measured in the device's own pixels, so the report looks the same on a
    // 1200 dpi printer, in a PDF and in the preview.
    Plan pl;
    pl.pt = device->logicalDpiY() / 72.0;
    const QRectF page = device->pageLayout().paintRectPixels(device->logicalDpiX());
    pl.body = QSizeF(page.width(), page.height() - 22 * pl.pt);
    pl.title = reportFont(20, true);
    pl.label = reportFont(10.5, true);
    pl.value = reportFont(10.5);
    pl.heading = reportFont(10, true);
    pl.cell = reportFont(10);
    pl.footer = reportFont(9);
    pl.padding = 3.5 * pl.pt;
    const qreal gap = 14 * pl.pt;
    const qreal gutter = 8 * pl.pt;
    const qreal width = pl.body.width();

    pl.issuerHeight = m_content.issuer.isEmpty() ? 0 : QFontMetricsF(pl.label, device).height() + 4 * pl.pt;
    pl.titleHeight = QFontMetricsF(pl.title, device).height();
    qreal y = pl.issuerHeight + pl.titleHeight + gap;

    // The two header blocks side by side, each as a column of labels and a column of values.
    const QFontMetricsF labelMetrics(pl.label, device);
    const QFontMetricsF valueMetrics(pl.value, device);
    const qreal half = width / 2;
    const QList<ReportContent::Pair> *blocks[2] = {&m_content.firstBlock, &m_content.secondBlock};
    for (int b = 0; b < 2; ++b) {
        const qreal labelWidth = std::min(widest(*blocks[b], labelMetrics) + gutter, half * 0.45);
        pl.blockX[2 * b] = b * half;
        pl.blockWidth[2 * b] = labelWidth - gutter;
        pl.blockX[2 * b + 1] = b * half + labelWidth;
        pl.blockWidth[2 * b + 1] = half - labelWidth - gutter;
    }
    pl.blocksTop = y;
    const int blockRows = int(std::max(m_content.firstBlock.size(), m_content.secondBlock.size()));
    for (int r = 0; r < blockRows; ++r) {
        qreal h = 0;
        for (int b = 0; b < 2; ++b) {
            if (r >= blocks[b]->size())
                continue;
            const ReportContent::Pair &pair = blocks[b]->at(r);
            h = std::max({h, textHeight(pair.label, labelMetrics, pl.label, device, pl.blockWidth[2 * b]),
                          textHeight(pair.value, valueMetrics, pl.value, device, pl.blockWidth[2 * b + 1])});
        }
        pl.blockRowHeights.append(h + 4 * pl.pt);
        y += pl.blockRowHeights.last();
    }
    if (blockRows > 0)
        y += gap;
    // The picture at the size its resolution gives it, where its letters have the size they were
    // drawn for; never wider than the page, nor taller than 40 % of it: the table it goes with
    // should start on the same page.
    if (const QImage &chart = m_content.chart; !chart.isNull()) {
        const qreal natural = chart.dotsPerMeterX() > 0
            ? chart.width() / (chart.dotsPerMeterX() * 0.0254) * device->logicalDpiX()
            : width;
        const qreal wide = std::min(width, natural);
        QSizeF size(wide, wide * chart.height() / chart.width());
        const qreal most = 0.4 * pl.body.height();
        if (size.height() > most)
            size = QSizeF(most * chart.width() / chart.height(), most);
        pl.chart = QRectF(QPointF((width - size.width()) / 2, y), size);
        y = pl.chart.bottom() + gap;
    }
    pl.tableTop = y;
    pl.pageFirstRow = {0};

    const int columns = int(m_content.headings.size());
    if (columns == 0)
        return pl;

    // Columns start at their natural widths and share what is left of the page (or give up what
    // is missing) in proportion.
    const QFontMetricsF headingMetrics(pl.heading, device);
    const QFontMetricsF cellMetrics(pl.cell, device);
    QList<qreal> natural(columns, 0);
    for (int c = 0; c < columns; ++c)
        natural[c] = headingMetrics.horizontalAdvance(m_content.headings[c]);
    // Each cell's width, measured once: the rows' heights need them again. A column often repeats
    // its texts (the scheme, the state), and a text is measured once.
    std::vector<qreal> advances;
    advances.reserve(size_t(m_content.rows.size()) * size_t(columns));
    QHash<QString, qreal> measuredTexts;
    for (const ReportContent::Row &row : m_content.rows) {
        for (int c = 0; c < columns && c < row.size(); ++c) {
            auto known = measuredTexts.constFind(row[c].text);
            if (known == measuredTexts.cend())
                known = measuredTexts.insert(row[c].text, cellMetrics.horizontalAdvance(row[c].text));
            advances.push_back(*known);
            natural[c] = std::max(natural[c], advances.back());
        }
    }
    for (qreal &w : natural)
        w += 2 * pl.padding + pl.pt;
    const qreal total = std::accumulate(natural.begin(), natural.end(), 0.0);
    pl.columnX = {0};
    for (int c = 0; c < columns; ++c)
        pl.columnX.append(pl.columnX.last() + natural[c] * width / total);

    const auto inner = [&](int c) { return pl.columnX[c + 1] - pl.columnX[c] - 2 * pl.padding; };
    qreal heading = 0;
    for (int c = 0; c < columns; ++c)
        heading = std::max(heading, textHeight(m_content.headings[c], headingMetrics, pl.heading, device, inner(c)));
    pl.headingHeight = heading + 2 * pl.padding;

    // The heading row starts every page the table runs onto; a row never splits across pages.
    y = pl.tableTop + pl.headingHeight;
    int rowsOnPage = 0;
    pl.rowHeights.reserve(m_content.rows.size());
    size_t measured = 0;
    for (int r = 0; r < m_content.rows.size(); ++r) {
        const ReportContent::Row &row = m_content.rows[r];
        qreal h = 0;
        for (int c = 0; c < columns && c < row.size(); ++c)
            h = std::max(h, textHeight(row[c].text, cellMetrics, pl.cell, device, inner(c), advances[measured++]));
        h = std::max(h, cellMetrics.height()) + 2 * pl.padding;
        pl.rowHeights.append(h);
        if (y + h > pl.body.height() && (rowsOnPage > 0 || pl.pageFirstRow.size() == 1)) {
            pl.pageFirstRow.append(r);
            y = pl.headingHeight;
            rowsOnPage = 0;
        }
        y += h;
        ++rowsOnPage;
    }
    return pl;
}

int ReportLayout::pageCount(QPagedPaintDevice *device) const
{
    return int(plan(device).pageFirstRow.size());
}

void ReportLayout::paintBlocks(QPainter &p, const Plan &pl) const
{
    const QList<ReportContent::Pair> *blocks[2] = {&m_content.firstBlock, &m_content.secondBlock};
    qreal y = pl.blocksTop;
    for (int r = 0; r < pl.blockRowHeights.size(); ++r) {
        const qreal h = pl.blockRowHeights[r];
        for (int b = 0; b < 2; ++b) {
            if (r >= blocks[b]->size())
                continue;
            const ReportContent::Pair &pair = blocks[b]->at(r);
            p.setFont(pl.label);
            p.setPen(kMuted);
            p.drawText(QRectF(pl.blockX[2 * b], y, pl.blockWidth[2 * b], h), pair.label, textOption(Qt::AlignLeft));
            p.setFont(pl.value);
            p.setPen(kInk);
            p.drawText(QRectF(pl.blockX[2 * b + 1], y, pl.blockWidth[2 * b + 1], h), pair.value,
                       textOption(Qt::AlignLeft));
        }
        y += h;
    }
}

// row -1 is the heading row; the painter has its font.
void ReportLayout::paintTableRow(QPainter &p, const Plan &pl, qreal y, int row) const
{
    const bool heading = row < 0;
    const qreal h = heading ? pl.headingHeight : pl.rowHeights[row];
    const qreal left = pl.columnX.first();
    const qreal right = pl.columnX.last();
    if (heading || row % 2 == 1)
        p.fillRect(QRectF(left, y, right - left, h), heading ? kHeadingFill : kStripeFill);

    p.setPen(kInk);
    const int columns = int(pl.columnX.size()) - 1;
    for (int c = 0; c < columns; ++c) {
        QString text;
        Qt::Alignment align = Qt::AlignHCenter;
        if (heading) {
            text = m_content.headings[c];
        } else if (c < m_content.rows[row].size()) {
            text = m_content.rows[row][c].text;
            align = m_content.rows[row][c].numeric ? Qt::AlignRight : Qt::AlignLeft;
        }
        const QRectF box(pl.columnX[c] + pl.padding, y + pl.padding, pl.columnX[c + 1] - pl.columnX[c] - 2 * pl.padding,
                         h - 2 * pl.padding);
        p.drawText(box, text, textOption(align));
    }

    // The top rule again on every row: this row's fill has covered half of the one above.
    p.setPen(QPen(kRule, 0.6 * pl.pt));
    p.drawLine(QPointF(left, y), QPointF(right, y));
    p.drawLine(QPointF(left, y + h), QPointF(right, y + h));
    for (const qreal x : pl.columnX)
        p.drawLine(QPointF(x, y), QPointF(x, y + h));
}

bool ReportLayout::paint(QPagedPaintDevice *device) const
{
    const Plan pl = plan(device);
    QPainter p;
    if (!p.begin(device))
        return false;
    const int pages = int(pl.pageFirstRow.size());
    const int rows = int(m_content.rows.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device->newPage())
            return false;
        qreal y = 0;
        if (page == 0) {
            p.setFont(pl.label);
            p.setPen(kInk);
            p.drawText(QRectF(0, 0, pl.body.width(), pl.issuerHeight), Qt::AlignHCenter | Qt::AlignTop,
                       m_content.issuer);
            p.setFont(pl.title);
            p.drawText(QRectF(0, pl.issuerHeight, pl.body.width(), pl.titleHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                       m_content.title);
            paintBlocks(p, pl);
            if (!pl.chart.isEmpty()) {
                p.setRenderHint(QPainter::SmoothPixmapTransform);
                p.drawImage(pl.chart, m_content.chart);
            }
            y = pl.tableTop;
        }
        const int first = pl.pageFirstRow[page];
        const int last = page + 1 < pages ? pl.pageFirstRow[page + 1] : rows;
        if (!pl.columnX.isEmpty() && (last > first || rows == 0)) {
            // Once for the heading and once for the rows: the painter resolves a font's faces
            // anew at every change, which would cost more than the row it is set for.
            p.setFont(pl.heading);
            paintTableRow(p, pl, y, -1);
            y += pl.headingHeight;
            p.setFont(pl.cell);
            for (int r = first; r < last; ++r) {
                paintTableRow(p, pl, y, r);
                y += pl.rowHeights[r];
            }
        }
        p.setFont(pl.footer);
        p.setPen(kMuted);
        p.drawText(QRectF(0, pl.body.height(), pl.body.width(), 22 * pl.pt), Qt::AlignHCenter | Qt::AlignBottom,
                   pageFooter(page + 1, pages));
    }
    return p.end();
}
