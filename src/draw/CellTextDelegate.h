#pragma once
// Draws a list's cells as the style does, but lays each cell's text out once and draws it again
// from there: the minute's repaint of a long list then shapes only the texts that changed.

#include "draw/TextLayoutCache.h"

#include <QStyledItemDelegate>

class CellTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // A one-line text's size by arithmetic: the style's size of one character in the cell's font
    // and picture, measured once, widened by the text's advance. A tree view asks for its first
    // row's size whenever that row changes, at every minute of a running list, and the style
    // would lay the texts out anew for it.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    mutable TextLayoutCache m_texts;
    struct Frame {
        QFont font;
        int features;
        bool wide;
        QSize decoration;
        QSize size; // the cell's, with the sample text
        int sampleWidth; // the sample text's own, as the style rounds it
    };
    mutable QList<Frame> m_frames; // a few: one per font and picture a list uses
};
