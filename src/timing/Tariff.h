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
#include <utility>
#include <optional>

class FormulaEvaluator;
struct BandedTiming;
struct Item;
struct Moment;

// A scheme is a plain formula in C, or bands (SchemeBands) whose formulas each price the minutes
// timed in them: a banded item's fee is the sum of each band's formula applied to its minutes in
// that band. Items keep those minutes (Item::banded); the tariff puts each minute timed into the
// band in force on the wall clock when it was timed.
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

    // The bands of a banded scheme text; null for a plain formula (or bands nobody can read).
    std::shared_ptr<const SchemeBands> bands(const QString &scheme) const;

    // What the item owes when its bill stands at minutes: for a banded scheme, the bands it has
    // timed so far, with any minutes beyond them in the band it last timed in.
    double fee(const Item &item, double minutes) const;

    // An item on a banded scheme starts out in its bands: the minutes typed in at its add count in
    // the band in force then. Nothing for a plain formula.
    void startBands(Item &item, const QDateTime &wall) const;
    // Puts the whole minutes the item's running session has timed (sessionMinutes) and no band
    // holds yet into the bands in force when they were timed, counting back from wall, the instant
    // the last of them was counted. True when a minute went into another band than the one before.
    bool settle(Item &item, double sessionMinutes, const QDateTime &wall) const;
    // The item's bands as a journal recorded them; false when they do not fit its scheme.
    bool restore(Item &item, const ItemBands &bands) const;

    // The item's bill at now, minutes of each band included; the item itself is left as it is.
    ItemBill billAt(const Item &item, const Moment &now) const;
    // The fee the item will owe once its bill reaches a number of minutes, counting from now on as
    // the wall clock will move through the bands: a money limit is found with it.
    ItemLimit::Fee feeAhead(const Item &item, const Moment &now) const;

    // Each band a bill has minutes in, as where it starts and what it holds: "18:00起" and
    // "90 分钟 9.00 元". Empty for a plain scheme.
    static QList<std::pair<QString, QString>> bandParts(const ItemBill &bill);
    // The same as one line a band: "18:00起 90 分钟 9.00 元".
    static QStringList bandLines(const ItemBill &bill);
    // The same for an item as its row last showed it.
    static QStringList bandLines(const Item &item);

private:
    double bandFee(const SchemeBands &bands, int band, double minutes) const;
    // Evaluates again the fee of every band whose minutes changed since the fees were worked out.
    void reprice(BandedTiming &banded, const QList<double> &before) const;

    mutable std::unique_ptr<FormulaEvaluator> m_calc;
    mutable QHash<QString, std::shared_ptr<const SchemeBands>> m_bands;
};
