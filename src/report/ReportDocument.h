#pragma once
// One report as the program hands it to the report component: plain values, kept by whoever holds them.

#include <QImage>
#include <QList>
#include <QString>
#include <QVariant>

class QAbstractItemModel;

// Entries are texts, numbers, dates and times of day; the component shows them in the operator's
// formats, so the program passes numbers and times as such rather than as text.
struct ReportDocument {
    QString title;
    // What a file of the report is called, without folder or suffix; the title when empty.
    QString fileName;
    // The two blocks of labels and values above the table, entries in the order given.
    QVariantList firstBlock;
    QVariantList secondBlock;
    // Lines a receipt adds (its date, scheme, start and end): under the first block on a page, and
    // between the two on a roll, which reads top to bottom.
    QVariantList thirdBlock;
    // Who hands the paper over, above its title: the shop's name; no line when empty.
    QString issuer;
    // The table: its headings, and its cells row after row, as many per row as there are headings.
    QVariantList headings;
    QVariantList cells;
    // A picture between the header blocks and the table on the first page, such as a chart of the
    // figures the table lists; none when null.
    QImage chart;

    bool preview = true; // shown on screen; false: printed
    int copies = 1; // when printed
    int styleCode = 0;
    bool listFlag = false; // set by the list report
    // The width of the roll it is printed on, in mm; 0 for an A4 page.
    int rollWidth = 0;
    // On a roll, each table row is one line (an item's sessions), not a row of narrow cells.
    bool rowsAsLines = false;

    // The table becomes the model's header and display texts as they stand now: the report shows
    // the list of the moment it was asked for, whatever happens to the list afterwards.
    void setTable(const QAbstractItemModel &model);
};
