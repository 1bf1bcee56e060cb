#pragma once
// A report as it will be laid out, every value already turned into the text the operator reads.

#include "ReportPrinter.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class QAbstractItemModel;

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
    QList<Pair> firstBlock;
    QList<Pair> secondBlock;
    QStringList headings;
    QList<Row> rows;

    // Times of day in the locale's long time, dates in its short date, numbers in the general form.
    static QString DisplayText(const QVariant &value, const QLocale &locale);
    static bool IsNumber(const QVariant &value);

    // A header block read as label/value pairs: a label ending in a colon, or followed by a value
    // that is not text, takes the next entry as its value; a text like "计时次数:3" is its own pair.
    static QList<Pair> Pairs(const ReportList &block, const QLocale &locale);

    // The cells row by row, as many per row as there are headings; a short last row is padded.
    void SetTable(const ReportList &headingList, const ReportList &cells, const QLocale &locale);
    // The model's header and display texts as they stand now.
    void SetTable(const QAbstractItemModel &model);
};
