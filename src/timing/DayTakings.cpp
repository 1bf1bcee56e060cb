#include "timing/DayTakings.h"

#include "timing/AmountDue.h"
#include "timing/ModClock.h"
#include "timing/TimeText.h"

DayTakings DayTakings::settledOf(const DayLedger &ledger, const QDate &day, const QDateTime &readAt,
                                 const LedgerReadControl *control)
{
    DayTakings t;
    t.date = day;
    ShiftFollower shifts;
    const LedgerScan read = ledger.scan(
        day, readAt,
        [&t, &shifts](LedgerEntry &&e) {
            if (shifts.take(e))
                return;
            if (e.kind == LedgerEntry::Kind::Left)
                t.settled.append({e.name, e.scheme, e.end, e.ended, e.atExit, false, e.minutes, e.fee, e.limit, 0,
                                  shifts.current()});
            if (e.kind != LedgerEntry::Kind::Goods)
                return;
            // Goods belong to the bill of their item that left at the same instant, written just before.
            for (qsizetype k = t.settled.size() - 1; k >= 0; --k)
                if (t.settled[k].name == e.name && t.settled[k].left == e.end) {
                    t.settled[k].goods = AmountDue::total({t.settled[k].goods, e.fee});
                    return;
                }
            t.settled.append({e.name, QString(), e.end, false, false, false, 0, 0, {}, e.fee, shifts.current()});
        },
        control);
    t.shifts = shifts.parts();
    if (read.unreadable || read.cancelled) {
        t.settled.clear();
        t.unreadable = read.unreadable;
        return t;
    }
    t.lines = read.entries;
    t.skipped = read.skipped;
    return t;
}

void DayTakings::addOpen(ModClock *state, const Moment &now)
{
    open.clear();
    if (!state || date != now.wall.date())
        return;
    // Counted as a bill is at now, rather than as the last refresh left the row: a stopped item's
    // row may be a minute behind its sessions, and the day is closed on what the customers owe.
    for (int pos = 1; pos <= state->lvwMain.count(); ++pos) {
        const Item &item = state->lvwMain.at(pos);
        const ItemBill bill = state->billOf(item, now);
        open.append({item.name, item.scheme, QDateTime(), false, false, item.running, bill.minutes, bill.fee,
                     item.limit, GoodsLine::total(bill.goods)});
    }
}

void DayTakings::carryShift(const Shift &open)
{
    if (!shifts.isEmpty() && shifts[0].carried && !shifts[0].shift.from.isValid() && open.isOpen()
        && open.from < date.startOfDay())
        shifts[0].shift = open;
}

QString DayTakings::shiftOf(const Line &line) const
{
    return line.shift >= 0 && line.shift < shifts.size() ? shifts[line.shift].shift.operatorName : QString();
}

bool DayTakings::withShifts() const
{
    for (const ShiftPart &part : shifts)
        if (part.shift.from.isValid())
            return true;
    return false;
}

double DayTakings::minutes(const QList<Line> &lines)
{
    double sum = 0;
    for (const Line &line : lines)
        sum += line.minutes;
    return TimeText::roundMinutes(sum);
}

double DayTakings::Line::due(AmountDue::Rounding rule) const
{
    const double machine = AmountDue::total({fee}, rule);
    return goods == 0 ? machine : AmountDue::total({machine, goods});
}

double DayTakings::due(const QList<Line> &lines, AmountDue::Rounding rule)
{
    return AmountDue::total({machineDue(lines, rule), goodsDue(lines)});
}

double DayTakings::machineDue(const QList<Line> &lines, AmountDue::Rounding rule)
{
    QList<double> fees;
    fees.reserve(lines.size());
    for (const Line &line : lines)
        fees.append(line.fee);
    return AmountDue::total(fees, rule);
}

double DayTakings::goodsDue(const QList<Line> &lines)
{
    QList<double> amounts;
    amounts.reserve(lines.size());
    for (const Line &line : lines)
        amounts.append(line.goods);
    return AmountDue::total(amounts);
}
