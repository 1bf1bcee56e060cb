#pragma once
// Where a change to a block of cells shows in a report view, so that only that is repainted.

#include <QModelIndex>
#include <QRect>

class QTreeView;

// The part of the view's viewport that shows cells between topLeft and bottomRight: the rows in
// sight among the changed ones, across the changed columns only. Empty when none is in sight. The
// view's rows are all one height and its model a flat list; that height goes to rowHeight if given.
QRect changedCellsInSight(const QTreeView &view, const QModelIndex &topLeft, const QModelIndex &bottomRight,
                          int *rowHeight = nullptr);
