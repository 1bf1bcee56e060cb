#include "timing/Tariff.h"

#include "formula/FormulaEvaluator.h"
#include "timing/AmountDue.h"
#include "timing/Item.h"
#include "timing/Moment.h"
#include "timing/SchemeFee.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <cmath>

namespace {
int minuteOfDay(const QDateTime &at)
{
    const QTime t = at.time();
    return t.hour() * 60 + t.minute();
}

double sum(const QList<double> &minutes)
{
    double total = 0;
    for (const double m : minutes)
        total += m;
    return total;
}
} // namespace

Tariff::Tariff() = default;
Tariff::~Tariff() = default;

FormulaEvaluator &Tariff::evaluator() const
{
    if (!m_calc)
        m_calc = std::make_unique<FormulaEvaluator>();
    return *m_calc;
}

const SchemeBands *Tariff::bands(const QString &scheme) const
{
    // Every row's refresh asks: a plain formula is told apart without a lookup.
    const QChar first = scheme.isEmpty() ? QChar() : scheme.front();
    if (!(first.isDigit() || first.isSpace()) || !scheme.contains(u':'))
        return nullptr;
    auto found = m_bands.constFind(scheme);
    if (found == m_bands.constEnd())
        found = m_bands.insert(scheme, SchemeBands::parse(scheme));
    return found->has_value() ? &**found : nullptr;
}

double Tariff::fee(const QString &scheme, double minutes) const
{
    if (const SchemeBands *b = bands(scheme)) {
        QList<double> perBand(b->count(), 0.0);
        perBand[0] = minutes;
        return bandsFee(*b, perBand);
    }
    return valCalc(evaluator(), scheme, minutes);
}

double Tariff::fee(const QString &scheme, const QList<double> &bandMinutes) const
{
    if (const SchemeBands *b = bands(scheme))
        return bandsFee(*b, bandMinutes);
    return valCalc(evaluator(), scheme, sum(bandMinutes));
}

double Tariff::bandsFee(const SchemeBands &bands, const QList<double> &bandMinutes, QList<double> *each) const
{
    double total = 0;
    for (int i = 0; i < bands.count(); ++i) {
        const double fee = valCalc(evaluator(), bands.bands()[i].formula, TimeText::roundMinutes(bandMinutes.value(i, 0.0)));
        total += fee;
        if (each)
            each->append(fee);
    }
    return total;
}

double Tariff::fee(const Item &item, double minutes) const
{
    const SchemeBands *b = bands(item.scheme);
    if (!b)
        return valCalc(evaluator(), item.scheme, minutes);
    QList<double> perBand = item.bands;
    perBand.resize(b->count(), 0.0);
    perBand[std::clamp(item.band, 0, b->count() - 1)] += minutes - sum(item.bands);
    return bandsFee(*b, perBand);
}

bool Tariff::settle(Item &item, double sessionMinutes, const QDateTime &wall) const
{
    const SchemeBands *b = bands(item.scheme);
    const double fresh = sessionMinutes - item.sessionBanded;
    if (!b || !(fresh > 0) || !wall.isValid())
        return false;
    item.bands.resize(b->count(), 0.0);
    // The minutes were counted at their ends: the last one ran through the minute before wall's.
    const int from = minuteOfDay(wall) - int(std::ceil(fresh - 1e-9));
    const int was = item.band;
    b->spread(from, fresh, item.bands);
    item.sessionBanded = sessionMinutes;
    item.band = b->bandAt(minuteOfDay(wall) - 1);
    return was != item.band;
}

void Tariff::settleTypedIn(Item &item, const QDateTime &wall) const
{
    const SchemeBands *b = bands(item.scheme);
    if (!b || !wall.isValid())
        return;
    item.bands.resize(b->count(), 0.0);
    item.band = b->bandAt(minuteOfDay(wall));
    item.bands[item.band] += item.typedIn;
}

ItemBill Tariff::billAt(const Item &item, const Moment &now) const
{
    const double minutes = TimingOperations::runningMinutes(item, now);
    Item settled = item;
    if (item.running)
        settle(settled, TimingOperations::sessionMinutes(item, now), now.wall);
    ItemBill bill {item.name, item.scheme, minutes, 0, item.limit};
    const SchemeBands *b = bands(item.scheme);
    if (!b) {
        bill.fee = valCalc(evaluator(), item.scheme, minutes);
        return bill;
    }
    bill.bands = settled.bands;
    bill.bands.resize(b->count(), 0.0);
    bill.fee = bandsFee(*b, bill.bands, &bill.bandFees);
    return bill;
}

ItemLimit::Fee Tariff::feeAhead(const Item &item, const Moment &now) const
{
    const SchemeBands *b = bands(item.scheme);
    if (!b)
        return [this, scheme = item.scheme](double c) { return valCalc(evaluator(), scheme, c); };
    const ItemBill bill = billAt(item, now);
    return [this, b, bill, from = minuteOfDay(now.wall)](double c) {
        QList<double> perBand = bill.bands;
        b->spread(from, c - bill.minutes, perBand);
        return bandsFee(*b, perBand);
    };
}

QStringList Tariff::bandLines(const ItemBill &bill)
{
    QStringList lines;
    const std::optional<SchemeBands> b = SchemeBands::parse(bill.scheme);
    if (!b)
        return lines;
    for (int i = 0; i < b->count() && i < bill.bands.size() && i < bill.bandFees.size(); ++i) {
        const double minutes = TimeText::roundMinutes(bill.bands[i]);
        if (minutes == 0)
            continue;
        lines << QStringLiteral("%1起 %2 分钟 %3 元")
                     .arg(SchemeBands::startText(b->bands()[i].start), TimeText::generalNumber(minutes),
                          AmountDue::text(bill.bandFees[i]));
    }
    return lines;
}

QStringList Tariff::bandLines(const Item &item) const
{
    const SchemeBands *b = bands(item.scheme);
    if (!b)
        return {};
    ItemBill bill {item.name, item.scheme, item.minutesShown, 0, item.limit, item.bands, {}};
    bill.bands.resize(b->count(), 0.0);
    bandsFee(*b, bill.bands, &bill.bandFees);
    return bandLines(bill);
}
