#pragma once
// The report component as the program sees it: content goes in as ordered lists, layout and output stay inside.

#include "OrderedList.h"

#include <QVariant>

class QAbstractItemModel;
class QImage;

// The entries of a header block, the table headings or the table cells: texts, numbers, dates
// and times of day, which the component shows in the operator's formats.
using ReportList = OrderedList<QVariant>;

// No call ends a sequence: a component presents the report by itself once the caller is done,
// built from everything the calls gave it in whatever order they came. Settings stay until a later
// call changes them. The numeric arguments the program passes as 0 and the picture (nullptr) are
// accepted for layouts this program does not use.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    // The table of a list report is the content of this model (header and display texts) as it
    // stands when the report is laid out.
    virtual void SetSourceList(const QAbstractItemModel *list) = 0;
    // true: show the report on screen; false: produce it for printing.
    virtual void SetPreview(bool preview) = 0;
    virtual void SetStyleCode(int code) = 0;
    virtual void SetListFlag(bool flag) = 0;
    // A table with these headings and the cells row by row, as many per row as there are headings.
    // Returns the number of table rows.
    virtual int BuildTable(int options, const ReportList &headings, const ReportList &cells, int widths,
                           const QImage *picture, int pictureLeft, int pictureTop) = 0;
    // The table is taken from the source list. Returns the number of table rows known so far.
    virtual int BuildListTable(int options, int widths, const QImage *picture, int pictureLeft,
                               int pictureTop) = 0;
    virtual void SetTitle(const QString &title) = 0;
    // The two blocks of labels and values above the table, in the order given.
    virtual void SetHeaderBlocks(const ReportList &first, const ReportList &second, int left, int top) = 0;
    // Prints the report, this many copies.
    virtual void PrintReport(int copies) = 0;
};
