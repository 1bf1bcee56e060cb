#pragma once
// Draws a list's cells as the style does, but lays each cell's text out once and draws it again
// from there: the minute's repaint of a long list then shapes only the texts that changed.

#include "draw/TextLayoutCache.h"

#include <QStyledItemDelegate>

class CellTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    mutable TextLayoutCache m_texts;
};
