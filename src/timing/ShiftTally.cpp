#include "timing/ShiftTally.h"

#include "timing/AmountDue.h"

namespace {
// A sum that holds an amount that is none stays none when added to another.
std::optional<qint64> amount(qint64 fen)
{
    return fen == AmountDue::kNoFen ? std::nullopt : std::optional(fen);
}

void add(ShiftTally::PartSum &to, const ShiftTally::PartSum &sum)
{
    to.bills += sum.bills;
    AmountDue::add(to.fen, amount(sum.fen));
    AmountDue::add(to.goodsFen, amount(sum.goodsFen));
}
} // namespace

double ShiftTally::Line::total() const
{
    return goods == 0 ? due : AmountDue::total({due, goods});
}

void ShiftTally::addDay(const QList<ShiftPart> &parts, const std::vector<PartSum> &sums)
{
    for (qsizetype k = 0; k < parts.size(); ++k) {
        const ShiftPart &part = parts[k];
        const PartSum sum = size_t(k) < sums.size() ? sums[size_t(k)] : PartSum {};
        m_anyShift = m_anyShift || part.shift.from.isValid();
        Kept *last = m_kept.empty() ? nullptr : &m_kept.back();
        // The day's first stretch goes on with the shift the days before left open.
        const bool goesOn = part.carried && last && last->shift.isOpen()
            && (!part.shift.from.isValid() || part.shift.sameAs(last->shift));
        if (goesOn) {
            if (part.shift.to.isValid())
                last->shift.to = part.shift.to;
            add(last->sum, sum);
            continue;
        }
        if (sum.bills == 0 && sum.goodsFen == 0 && !part.shift.from.isValid())
            continue;
        // Bills outside any shift run together until the next shift.
        if (!part.shift.from.isValid() && last && !last->shift.from.isValid()) {
            add(last->sum, sum);
            continue;
        }
        m_kept.push_back({part.shift, sum});
    }
}

QList<ShiftTally::Line> ShiftTally::lines() const
{
    QList<Line> out;
    if (!m_anyShift)
        return out;
    for (const Kept &kept : m_kept)
        out.append({kept.shift, kept.sum.bills, AmountDue::fromFen(kept.sum.fen),
                    AmountDue::fromFen(kept.sum.goodsFen)});
    return out;
}
