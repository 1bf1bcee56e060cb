#pragma once
// A report as it will be laid out, every value already turned into the text the operator reads.

#include "report/ReportDocument.h"

#include <QImage>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class ReportContent {
public:
    struct Pair {
        QString label;
        QString value;
        bool operator==(const Pair &o) const { return label == o.label && value == o.value; }
    };
    struct Cell {
        QString text;
        bool numeric = false; // numbers line up on the right
    };
    using Row = QList<Cell>;

    QString title;
    QString fileName; // the document's, or its title
    QList<Pair> firstBlock;
    QList<Pair> secondBlock;
    QList<Pair> thirdBlock; // on a roll only, after the first block: on a page it joins the first block
    QString issuer;
    int rollWidth = 0; // mm; 0 for an A4 page
    bool rowsAsLines = false;
    QStringList headings;
    QList<Row> rows;
    QImage chart; // the document's picture above the table, if any

    // The document's values as the operator reads them.
    static ReportContent from(const ReportDocument &document, const QLocale &locale = QLocale());

    // Times of day in the locale's long time, dates in its short date, numbers in the general form
    // (at most 15 significant digits, no grouping, as the list shows them).
    static QString displayText(const QVariant &value, const QLocale &locale);
    static bool isNumber(const QVariant &value);

    // A header block read as label/value pairs: a label ending in a colon, or followed by a value
    // that is not text, takes the next entry as its value; a text like "计时次数:3" is its own pair.
    static QList<Pair> pairs(const QVariantList &block, const QLocale &locale);

    // The cells row by row, as many per row as there are headings; a short last row is padded.
    // Numbers, and texts that read as numbers, line up on the right.
    void setTable(const QVariantList &headingList, const QVariantList &cells, const QLocale &locale);
};
