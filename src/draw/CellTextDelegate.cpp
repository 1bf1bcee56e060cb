#include "draw/CellTextDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

void CellTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget *widget = cell.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    // The style's own way for what this does not draw alike: wrapped texts, an edited or
    // focused cell (its frame goes over the text), a selection drawn round the text only (its
    // extent depends on the text), and style sheets, which draw cells their own way.
    const bool plain = !cell.text.isEmpty() && cell.showDecorationSelected
        && !(cell.features & QStyleOptionViewItem::WrapText)
        && !(cell.state & (QStyle::State_HasFocus | QStyle::State_Editing)) && !style->inherits("QStyleSheetStyle");
    if (!plain) {
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        return;
    }
    const QString text = cell.text;
    cell.text.clear();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget).adjusted(margin, 0, -margin, 0);
    const TextLayoutCache::Line *line =
        m_texts.line(text, cell.font, area.width(), QStyle::visualAlignment(cell.direction, cell.displayAlignment),
                     cell.direction, cell.textElideMode);
    if (!line) {
        cell.text = text;
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        return;
    }
    // Background, picture and selection as the style draws them, then the text where and in the
    // colour the style puts it.
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    QPalette::ColorGroup group = cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter->save();
    painter->setClipRect(cell.rect);
    painter->setPen(cell.palette.color(group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                 : QPalette::Text));
    const QRect box = QStyle::alignedRect(Qt::LayoutDirectionAuto, cell.displayAlignment, line->box, area);
    line->layout->draw(painter, QPointF(area.x(), box.top()));
    painter->restore();
}

QSize CellTextDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (cell.text.contains(QChar::LineSeparator) || cell.text.contains(u'\n')
        || (cell.features & QStyleOptionViewItem::WrapText) || cell.text.isEmpty())
        return QStyledItemDelegate::sizeHint(option, index);
    // A text beyond Latin-1 may be drawn in a fallback font, whose line is taller: it is measured
    // against a sample of such characters.
    const bool wide = std::any_of(cell.text.cbegin(), cell.text.cend(), [](QChar c) { return c.unicode() > 0xff; });
    const QString sample = wide ? QStringLiteral("0中") : QStringLiteral("0");
    const int features = int(cell.features & QStyleOptionViewItem::HasDecoration);
    const QSize decoration = features ? cell.decorationSize : QSize();
    // The style rounds a text's width up to the pixel.
    const QFontMetricsF metrics(cell.font);
    const auto width = [&metrics](const QString &text) { return int(std::ceil(metrics.horizontalAdvance(text))); };
    auto frame = std::find_if(m_frames.cbegin(), m_frames.cend(), [&](const Frame &f) {
        return f.features == features && f.wide == wide && f.decoration == decoration && f.font == cell.font;
    });
    if (frame == m_frames.cend()) {
        if (m_frames.size() >= 16)
            m_frames.clear();
        QStyleOptionViewItem one = cell;
        one.text = sample;
        const QWidget *widget = one.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        m_frames.append({cell.font, features, wide, decoration,
                         style->sizeFromContents(QStyle::CT_ItemViewItem, &one, QSize(), widget), width(sample)});
        frame = m_frames.cend() - 1;
    }
    return {frame->size.width() - frame->sampleWidth + width(cell.text), frame->size.height()};
}
