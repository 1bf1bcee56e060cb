#include "report/ReportDocument.h"

#include <QAbstractItemModel>

void ReportDocument::setTable(const QAbstractItemModel &model)
{
    headings.clear();
    cells.clear();
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c)
        headings.append(model.headerData(c, Qt::Horizontal).toString());
    const int rows = model.rowCount();
    cells.reserve(qsizetype(rows) * columns);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            cells.append(model.data(model.index(r, c)).toString());
}
