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

std::shared_ptr<const SchemeBands> Tariff::bands(const QString &scheme) const
{
    if (!SchemeBands::looksBanded(scheme))
        return nullptr;
    auto found = m_bands.constFind(scheme);
    if (found == m_bands.constEnd()) {
        const std::optional<SchemeBands> read = SchemeBands::parse(scheme);
        found = m_bands.insert(scheme, read ? std::make_shared<const SchemeBands>(*read) : nullptr);
    }
    return *found;
}

double Tariff::bandFee(const SchemeBands &bands, int band, double minutes) const
{
    return valCalc(evaluator(), bands.bands()[band].formula, TimeText::roundMinutes(minutes));
}

void Tariff::reprice(BandedTiming &b, const QList<double> &before) const
{
    b.fees.resize(b.minutes.size(), 0.0);
    for (qsizetype i = 0; i < b.minutes.size(); ++i)
        if (i >= before.size() || before[i] != b.minutes[i])
            b.fees[i] = bandFee(*b.scheme, int(i), b.minutes[i]);
}

double Tariff::fee(const Item &item, double minutes) const
{
    if (!item.banded)
        return valCalc(evaluator(), item.scheme, minutes);
    // Each minute the refresh has put the new minutes in their bands first, and priced them: only
    // a bill asked for between two refreshes has minutes no band holds yet.
    const BandedTiming &b = *item.banded;
    const double beyond = minutes - sum(b.minutes);
    const double total = sum(b.fees);
    if (beyond == 0)
        return total;
    return total - b.fees[b.band] + bandFee(*b.scheme, b.band, b.minutes[b.band] + beyond);
}

void Tariff::startBands(Item &item, const QDateTime &wall) const
{
    std::shared_ptr<const SchemeBands> scheme = bands(item.scheme);
    if (!scheme)
        return;
    if (!item.banded)
        item.banded = new BandedTiming;
    BandedTiming &b = *item.banded;
    b.scheme = std::move(scheme);
    b.minutes = QList<double>(b.scheme->count(), 0.0);
    b.band = b.scheme->bandAt(wall.isValid() ? minuteOfDay(wall) : 0);
    b.minutes[b.band] = item.typedIn;
    reprice(b, {});
}

bool Tariff::settle(Item &item, double sessionMinutes, const QDateTime &wall) const
{
    if (!item.banded || !(sessionMinutes > item.banded->sessionBanded) || !wall.isValid())
        return false;
    BandedTiming &b = *item.banded;
    const double fresh = sessionMinutes - b.sessionBanded;
    // The minutes were counted at their ends: the last one ran through the minute before wall's.
    const int now = minuteOfDay(wall);
    const int from = now - int(std::ceil(fresh - 1e-9));
    const int last = b.scheme->bandAt(now - 1);
    if (fresh < 60 && b.scheme->bandAt(from) == last) {
        // Each minute of ten thousand rows comes here with one minute, all in one band.
        b.minutes[last] += fresh;
        b.fees[last] = bandFee(*b.scheme, last, b.minutes[last]);
    } else {
        const QList<double> before = b.minutes;
        b.scheme->spread(from, fresh, b.minutes);
        reprice(b, before);
    }
    b.sessionBanded = sessionMinutes;
    const int was = b.band;
    b.band = last;
    return was != b.band;
}

bool Tariff::restore(Item &item, const ItemBands &bands) const
{
    if (!item.banded || bands.minutes.size() != item.banded->scheme->count() || bands.band < 0
        || bands.band >= bands.minutes.size() || (!item.running && bands.sessionBanded != 0))
        return false;
    BandedTiming &b = *item.banded;
    b.minutes = bands.minutes;
    b.sessionBanded = bands.sessionBanded;
    b.band = bands.band;
    reprice(b, {});
    return true;
}

ItemBill Tariff::billAt(const Item &item, const Moment &now) const
{
    const double minutes = TimingOperations::runningMinutes(item, now);
    ItemBill bill {item.name, item.scheme, minutes, 0, item.limit, {}, {}, item.goods};
    if (!item.banded) {
        bill.fee = valCalc(evaluator(), item.scheme, minutes);
        return bill;
    }
    Item settled = item;
    if (item.running)
        settle(settled, TimingOperations::sessionMinutes(item, now), now.wall);
    bill.bands = settled.banded->minutes;
    bill.bandFees = settled.banded->fees;
    bill.fee = fee(settled, minutes);
    return bill;
}

ItemLimit::Fee Tariff::feeAhead(const Item &item, const Moment &now) const
{
    if (!item.banded)
        return [this, scheme = item.scheme](double c) { return valCalc(evaluator(), scheme, c); };
    const ItemBill bill = billAt(item, now);
    return [this, scheme = item.banded->scheme, bill, from = minuteOfDay(now.wall)](double c) {
        QList<double> perBand = bill.bands;
        scheme->spread(from, c - bill.minutes, perBand);
        double total = 0;
        for (int i = 0; i < scheme->count(); ++i)
            total += bandFee(*scheme, i, perBand[i]);
        return total;
    };
}

QList<std::pair<QString, QString>> Tariff::bandParts(const ItemBill &bill)
{
    QList<std::pair<QString, QString>> parts;
    const std::optional<SchemeBands> b = SchemeBands::parse(bill.scheme);
    if (!b)
        return parts;
    for (int i = 0; i < b->count() && i < bill.bands.size() && i < bill.bandFees.size(); ++i) {
        const double minutes = TimeText::roundMinutes(bill.bands[i]);
        if (minutes == 0)
            continue;
        parts.append({SchemeBands::startText(b->bands()[i].start) + QStringLiteral("起"),
                      QStringLiteral("%1 分钟 %2 元").arg(TimeText::generalNumber(minutes), AmountDue::text(bill.bandFees[i]))});
    }
    return parts;
}

QStringList Tariff::bandLines(const ItemBill &bill)
{
    QStringList lines;
    for (const auto &[start, holds] : bandParts(bill))
        lines << start + u' ' + holds;
    return lines;
}

QStringList Tariff::bandLines(const Item &item)
{
    if (!item.banded)
        return {};
    return bandLines(ItemBill {item.name, item.scheme, item.minutesShown, item.fee, item.limit, item.banded->minutes,
                               item.banded->fees, {}});
}
