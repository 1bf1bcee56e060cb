#pragma once
// What the counter charges: the scheme list, the one formula evaluator, and every answer about a
// fee — what an item owes for its minutes, its bill at a moment, how far money goes.

#include "timing/ItemChange.h"
#include "timing/ItemLimit.h"
#include "timing/OrderedList.h"
#include "timing/SchemeBands.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class FormulaEvaluator;
struct Item;
struct Moment;

// A scheme is a plain formula in C, or bands (SchemeBands) whose formulas each price the minutes
// timed in them: a banded item's fee is the sum of each band's formula applied to its minutes in
// that band. Items keep those minutes (Item::bands); the tariff puts each minute timed into the band
// in force on the wall clock when it was timed.
class Tariff {
public:
    Tariff();
    ~Tariff();
    Tariff(const Tariff &) = delete;
    Tariff &operator=(const Tariff &) = delete;

    OrderedList<QString> cFangAn; // the scheme texts, in order, without keys
    qint16 intFangAn = 0;

    // The shared evaluator, created on first use: the scheme dialog checks formulas with it.
    FormulaEvaluator &evaluator() const;

    // The bands of a banded scheme text, nothing for a plain formula (or one nobody can read).
    const SchemeBands *bands(const QString &scheme) const;

    // What a plain formula charges for minutes; 0 when it cannot be evaluated. A banded scheme's
    // minutes all count in the band of its first start.
    double fee(const QString &scheme, double minutes) const;
    // What the scheme charges for minutes in each of its bands.
    double fee(const QString &scheme, const QList<double> &bandMinutes) const;
    // What the item owes when its bill stands at minutes: the bands it has timed so far for a
    // banded scheme, with any minutes beyond them in the band it last timed in.
    double fee(const Item &item, double minutes) const;

    // Puts the whole minutes the item's running session has timed (sessionMinutes) and no band
    // holds yet into the bands in force when they were timed, counting back from wall, the instant
    // the last of them was counted. True when a minute went into another band than the one before.
    bool settle(Item &item, double sessionMinutes, const QDateTime &wall) const;
    // The minutes an item typed in at its add count in the band in force then.
    void settleTypedIn(Item &item, const QDateTime &wall) const;

    // The item's bill at now, minutes of each band included; the item itself is left as it is.
    ItemBill billAt(const Item &item, const Moment &now) const;
    // The fee the item will owe once its bill reaches a number of minutes, counting from now on as
    // the wall clock will move through the bands: a money limit is found with it.
    ItemLimit::Fee feeAhead(const Item &item, const Moment &now) const;

    // One line per band a bill has minutes in: "18:00起 90 分钟 9.00 元". Empty for a plain scheme.
    static QStringList bandLines(const ItemBill &bill);
    // The same for an item as its row last showed it.
    QStringList bandLines(const Item &item) const;

private:
    double bandsFee(const SchemeBands &bands, const QList<double> &bandMinutes, QList<double> *each = nullptr) const;

    mutable std::unique_ptr<FormulaEvaluator> m_calc;
    mutable QHash<QString, std::optional<SchemeBands>> m_bands;
};
