#include "draw/CellTextDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

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
