#pragma once
// Goods sold to a customer beside the machine's time: a drink, a snack, at a price per piece.

#include "timing/AmountDue.h"

#include <QList>
#include <QString>

#include <optional>

struct GoodsLine {
    QString name;
    double price = 0; // per piece, in yuan, to the fen
    int quantity = 0;

    static constexpr int kMostQuantity = 9999;

    // A name, a price this program takes and a quantity from 1 to kMostQuantity.
    bool valid() const;
    // Price times quantity, to the fen.
    double amount() const;
    // The same goods at the same price: a second cola adds to the first line rather than making one.
    bool sameAs(const GoodsLine &other) const { return name == other.name && price == other.price; }

    // The price typed or read back: a number from 0 up, to the fen; nothing for anything else.
    static std::optional<double> priceOf(const QString &text);
    // The goods' amounts added up in whole fen, exact however many there are.
    static double total(const QList<GoodsLine> &lines);
    // What a customer is handed: the time's fee rounded by the rule, plus the goods at their prices,
    // as the day's takings add them up.
    static double due(double fee, const QList<GoodsLine> &lines, AmountDue::Rounding rule = AmountDue::Rounding::Fen);
    // Adds goods to lines, onto a line of the same goods at the same price when there is one.
    static void merge(QList<GoodsLine> &lines, const GoodsLine &goods);
    // "可乐 2 × 3.00 = 6.00 元"
    QString text() const;
};
