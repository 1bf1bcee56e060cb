#include "app/ChangedCells.h"

#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <climits>

QRect changedCellsInSight(const QTreeView &view, const QModelIndex &topLeft, const QModelIndex &bottomRight,
                          int *rowHeight)
{
    const QAbstractItemModel *model = view.model();
    if (!model || !topLeft.isValid() || !bottomRight.isValid())
        return {};
    const QHeaderView *header = view.header();
    int left = INT_MAX;
    int right = INT_MIN;
    for (int c = topLeft.column(); c <= bottomRight.column(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        const int x = header->sectionViewportPosition(c);
        left = std::min(left, x);
        right = std::max(right, x + header->sectionSize(c));
    }
    const QRect port = view.viewport()->rect();
    if (left >= right || right <= port.left() || left > port.right())
        return {};
    // Rows by where they are drawn, not by walking the changed ones: a minute changes thousands.
    const int x = std::max(left, port.left());
    const QModelIndex top = view.indexAt(QPoint(x, port.top()));
    if (!top.isValid())
        return {};
    const QModelIndex bottom = view.indexAt(QPoint(x, port.bottom()));
    const int first = std::max(topLeft.row(), top.row());
    const int last = std::min(bottomRight.row(), bottom.isValid() ? bottom.row() : model->rowCount(top.parent()) - 1);
    if (first > last)
        return {};
    const QRect firstRow = view.visualRect(model->index(first, top.column(), top.parent()));
    const QRect lastRow = view.visualRect(model->index(last, top.column(), top.parent()));
    if (rowHeight)
        *rowHeight = firstRow.height();
    return QRect(QPoint(left, firstRow.top()), QPoint(right - 1, lastRow.bottom())).intersected(port);
}
