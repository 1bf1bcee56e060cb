#include "ReportLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {
const QColor kInk(0x20, 0x20, 0x20);
const QColor kMuted(0x60, 0x66, 0x70);
const QColor kRule(0x9a, 0xa4, 0xb0);
const QColor kHeadingFill(0xdd, 0xe6, 0xf0);
const QColor kStripeFill(0xf4, 0xf6, 0xf9);

// The text face first for Latin letters and digits, then the Chinese faces found on Windows and
// Linux desktops; fontconfig or the platform skips those that are missing.
QFont reportFont(qreal points, bool bold = false)
{
    QFont font = QGuiApplication::font();
    font.setFamilies({font.family(), QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("AR PL UMing CN")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QTextCharFormat charFormat(qreal points, const QColor &color, bool bold = false)
{
    QTextCharFormat f;
    f.setFont(reportFont(points, bold));
    f.setForeground(color);
    return f;
}

void writeCell(QTextTable *table, int row, int col, const QString &text, const QTextCharFormat &format,
               Qt::Alignment align = Qt::AlignLeft)
{
    QTextCursor c = table->cellAt(row, col).firstCursorPosition();
    if (align != Qt::AlignLeft) {
        QTextBlockFormat b = c.blockFormat();
        b.setAlignment(align);
        c.setBlockFormat(b);
    }
    c.insertText(text, format);
}

void fillCell(QTextTable *table, int row, int col, const QColor &color)
{
    QTextTableCell cell = table->cellAt(row, col);
    QTextCharFormat f = cell.format();
    f.setBackground(color);
    cell.setFormat(f);
}
} // namespace

struct ReportLayout::Pages {
    std::unique_ptr<QTextDocument> doc;
    QRectF body;   // where the document goes on each page, in device pixels
    QRectF footer; // where the page number goes
};

ReportLayout::ReportLayout(ReportContent content) : m_content(std::move(content)) {}
ReportLayout::~ReportLayout() = default;

QString ReportLayout::PageFooter(int page, int pages)
{
    return QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages);
}

ReportLayout::Pages ReportLayout::layOut(QPagedPaintDevice *device) const
{
    // Lengths are given in points and laid out in the device's own pixels, so the document looks
    // the same on a 1200 dpi printer, in a PDF and in the preview.
    const qreal pt = device->logicalDpiY() / 72.0;
    const QRectF page = device->pageLayout().paintRectPixels(device->logicalDpiX());
    const qreal footerHeight = 24 * pt;

    Pages pages;
    pages.body = QRectF(0, 0, page.width(), page.height() - footerHeight);
    pages.footer = QRectF(0, page.height() - footerHeight * 0.7, page.width(), footerHeight * 0.7);
    pages.doc = std::make_unique<QTextDocument>();
    QTextDocument *doc = pages.doc.get();
    doc->documentLayout()->setPaintDevice(device);
    doc->setDocumentMargin(0);
    doc->setDefaultFont(reportFont(10.5));
    doc->setPageSize(pages.body.size());
    doc->setUndoRedoEnabled(false);

    QTextCursor cursor(doc);
    QTextBlockFormat titleBlock;
    titleBlock.setAlignment(Qt::AlignHCenter);
    titleBlock.setBottomMargin(14 * pt);
    cursor.setBlockFormat(titleBlock);
    cursor.insertText(m_content.title, charFormat(20, kInk, true));

    // The two header blocks side by side, each as label/value lines.
    const int headerRows = int(qMax(m_content.firstBlock.size(), m_content.secondBlock.size()));
    if (headerRows > 0) {
        QTextTableFormat f;
        f.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        f.setBorder(0);
        f.setCellPadding(2.5 * pt);
        f.setCellSpacing(0);
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        f.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 14),
                                     QTextLength(QTextLength::PercentageLength, 36),
                                     QTextLength(QTextLength::PercentageLength, 14),
                                     QTextLength(QTextLength::PercentageLength, 36)});
        f.setBottomMargin(12 * pt);
        QTextTable *header = cursor.insertTable(headerRows, 4, f);
        const QTextCharFormat label = charFormat(10.5, kMuted, true);
        const QTextCharFormat value = charFormat(10.5, kInk);
        const auto writeBlock = [&](const QList<ReportContent::Pair> &block, int col) {
            for (int r = 0; r < block.size(); ++r) {
                writeCell(header, r, col, block[r].label, label);
                writeCell(header, r, col + 1, block[r].value, value);
            }
        };
        writeBlock(m_content.firstBlock, 0);
        writeBlock(m_content.secondBlock, 2);
        cursor.movePosition(QTextCursor::End);
    }

    const int columns = int(m_content.headings.size());
    if (columns > 0) {
        QTextTableFormat f;
        f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        f.setBorder(0.75 * pt);
        f.setBorderBrush(kRule);
        f.setBorderCollapse(true);
        f.setCellSpacing(0);
        f.setCellPadding(3.5 * pt);
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        f.setHeaderRowCount(1); // repeated at the top of every page the table runs onto
        QTextTable *table = cursor.insertTable(int(m_content.rows.size()) + 1, columns, f);
        const QTextCharFormat heading = charFormat(10.5, kInk, true);
        const QTextCharFormat text = charFormat(10, kInk);
        for (int c = 0; c < columns; ++c) {
            fillCell(table, 0, c, kHeadingFill);
            writeCell(table, 0, c, m_content.headings[c], heading, Qt::AlignHCenter);
        }
        for (int r = 0; r < m_content.rows.size(); ++r) {
            const ReportContent::Row &row = m_content.rows[r];
            for (int c = 0; c < columns && c < row.size(); ++c) {
                if (r % 2 == 1)
                    fillCell(table, r + 1, c, kStripeFill);
                writeCell(table, r + 1, c, row[c].text, text, row[c].numeric ? Qt::AlignRight : Qt::AlignLeft);
            }
        }
    }
    return pages;
}

int ReportLayout::PageCount(QPagedPaintDevice *device) const
{
    return layOut(device).doc->pageCount();
}

bool ReportLayout::Paint(QPagedPaintDevice *device) const
{
    const Pages pages = layOut(device);
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const int count = pages.doc->pageCount();
    const qreal height = pages.body.height();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, kInk);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device->newPage())
            return false;
        painter.save();
        painter.translate(pages.body.left(), pages.body.top() - i * height);
        context.clip = QRectF(0, i * height, pages.body.width(), height);
        painter.setClipRect(context.clip);
        pages.doc->documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(reportFont(9));
        painter.setPen(kMuted);
        painter.drawText(pages.footer, Qt::AlignHCenter | Qt::AlignBottom, PageFooter(i + 1, count));
    }
    return painter.end();
}
