#include "timing/PeriodTakings.h"

#include "timing/AmountDue.h"
#include "timing/DayLedger.h"
#include "timing/NumberedOrder.h"
#include "timing/TimeText.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr qint64 kHourMs = 60 * 60 * 1000;

// The period's real hours, as instants: on the day the clocks go forward one hour of the clock
// never happens, on the day they go back one happens twice. Worked out once per period, so that
// spreading a year of sessions over them costs a search, not a time-zone lookup, per session.
struct HourSlots {
    std::vector<qint64> starts; // ascending, then the period's end
    std::vector<int> clockHour; // the local hour each slot starts at
    std::vector<int> day; // the period's day (0 = first) it lies in

    HourSlots(const QDate &first, int days)
    {
        for (int d = 0; d < days; ++d) {
            const QDate date = first.addDays(d);
            const QDateTime begin = date.startOfDay();
            const qint64 from = begin.toMSecsSinceEpoch();
            const qint64 to = date.addDays(1).startOfDay().toMSecsSinceEpoch();
            // A day of 24 hours starting on the hour needs no look at the zone for each hour.
            const bool plain = to - from == 24 * kHourMs && begin.time() == QTime(0, 0);
            for (qint64 t = from; t < to; t += kHourMs) {
                starts.push_back(t);
                clockHour.push_back(plain ? int((t - from) / kHourMs)
                                          : QDateTime::fromMSecsSinceEpoch(t).time().hour());
                day.push_back(d);
            }
            if (d == days - 1)
                starts.push_back(to);
        }
        if (starts.empty())
            starts.push_back(first.startOfDay().toMSecsSinceEpoch());
    }

    int count() const { return int(starts.size()) - 1; }
    qint64 begin() const { return starts.front(); }
    qint64 end() const { return starts.back(); }

    // The slot holding the instant, or -1 outside the period.
    int at(qint64 ms) const
    {
        if (ms < begin() || ms >= end())
            return -1;
        return int(std::upper_bound(starts.begin(), starts.end(), ms) - starts.begin()) - 1;
    }

    // Calls add(slot, minutes) for the part of [from, to) in each slot, within the period.
    template <typename Add> void spread(qint64 from, qint64 to, Add add) const
    {
        from = std::max(from, begin());
        to = std::min(to, end());
        for (int s = at(from); s >= 0 && s < count() && from < to; ++s) {
            const qint64 upTo = std::min(to, starts[size_t(s) + 1]);
            add(s, double(upTo - from) / 60000.0);
            from = upTo;
        }
    }
};

QString hourLabel(int hour)
{
    return QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0'));
}

// The day's own hours by their local start; an hour that comes twice says which one it is.
QStringList slotLabels(const HourSlots &hours)
{
    QStringList labels;
    for (int s = 0; s < hours.count(); ++s)
        labels << hourLabel(hours.clockHour[size_t(s)]);
    for (int s = 0; s < hours.count(); ++s) {
        if (labels.count(hourLabel(hours.clockHour[size_t(s)])) < 2)
            continue;
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(hours.starts[size_t(s)]);
        labels[s] = hourLabel(hours.clockHour[size_t(s)]) + QStringLiteral(" (") + at.timeZoneAbbreviation() + u')';
    }
    return labels;
}

// What one day's file adds to the period, worked out on the thread that read it as the lines come,
// so that only these few figures wait for the thread that adds the days up, whatever the file's size.
struct DaySum {
    int lines = 0;
    int skipped = 0;
    bool unreadable = false;
    bool cancelled = false;
    // Amounts are summed in whole fen, each bill rounded once: exact, whatever the number of bills.
    struct Item {
        QString name;
        int sessions = 0;
        double minutes = 0;
        qint64 fen = 0;
        qint64 goodsFen = 0;
    };
    QList<Item> items; // in the order they first come
    std::map<int, std::pair<double, qint64>> bills; // bucket: minutes billed, amounts due in fen
    std::map<int, double> busy; // hour slot: minutes timed in it
    ShiftFollower shifts;
    std::vector<ShiftTally::PartSum> shiftSums = std::vector<ShiftTally::PartSum>(1);

    DaySum(const DayLedger &ledger, const QDate &date, const QDateTime &readAt, const LedgerReadControl *control,
           int dayIndex, const HourSlots &hours, bool hourly, AmountDue::Rounding rule)
    {
        QHash<QString, qsizetype> index;
        const auto take = [&](LedgerEntry &&e) {
            if (shifts.take(e)) {
                shiftSums.resize(size_t(shifts.parts().size()));
                return;
            }
            ShiftTally::PartSum &shiftSum = shiftSums.back();
            auto found = index.constFind(e.name);
            if (found == index.cend())
                found = index.insert(e.name, items.size()), items.append({e.name});
            Item &line = items[*found];
            const qint64 end = e.end.toMSecsSinceEpoch();
            if (e.kind == LedgerEntry::Kind::Session) {
                ++line.sessions;
                // The booked minutes end where the session did: a clock set while it ran moves
                // its recorded start, not the minutes it was charged.
                hours.spread(end - qint64(std::llround(e.minutes * 60000)), end,
                             [this](int slot, double minutes) { busy[slot] += minutes; });
                return;
            }
            // Goods are charged at their price, to the fen: the rule rounds what the time cost.
            if (e.kind == LedgerEntry::Kind::Goods) {
                const std::optional<qint64> fen = AmountDue::fen(e.fee);
                AmountDue::add(line.goodsFen, fen);
                AmountDue::add(shiftSum.goodsFen, fen);
                AmountDue::add(bills[hourly ? std::max(hours.at(end), 0) : dayIndex].second, fen);
                return;
            }
            const std::optional<qint64> fen = AmountDue::fen(e.fee, rule);
            line.minutes += e.minutes;
            AmountDue::add(line.fen, fen);
            AmountDue::add(shiftSum.fen, fen);
            ++shiftSum.bills;
            auto &bill = bills[hourly ? std::max(hours.at(end), 0) : dayIndex];
            bill.first += e.minutes;
            AmountDue::add(bill.second, fen);
        };
        const LedgerScan read = ledger.scan(date, readAt, take, control);
        unreadable = read.unreadable;
        cancelled = read.cancelled;
        // A day read in part is not summed at all.
        if (unreadable || cancelled) {
            items.clear();
            bills.clear();
            busy.clear();
            return;
        }
        lines = read.entries + read.skipped;
        skipped = read.skipped;
    }
};

} // namespace

PeriodTakings PeriodTakings::of(const DayLedger &ledger, QDate first, QDate last, const QDateTime &readAt,
                                LedgerReadControl *control, AmountDue::Rounding rule)
{
    PeriodTakings p;
    p.first = first;
    p.last = last;
    p.rounding = rule;
    if (!first.isValid() || !last.isValid() || last < first)
        return p;
    const int days = int(std::min<qint64>(first.daysTo(last) + 1, kMostDays));
    p.last = first.addDays(days - 1);
    const HourSlots hours(first, days);
    const bool hourly = p.hourly();

    if (hourly) {
        const QStringList labels = slotLabels(hours);
        for (int s = 0; s < hours.count(); ++s) {
            p.buckets.append({QDateTime::fromMSecsSinceEpoch(hours.starts[size_t(s)]), labels[s]});
            p.busyHours.append({labels[s]});
        }
    } else {
        for (int d = 0; d < days; ++d) {
            const QDate date = first.addDays(d);
            p.buckets.append({date.startOfDay(), date.toString(QStringLiteral("M月d日"))});
        }
        for (int h = 0; h < 24; ++h)
            p.busyHours.append({hourLabel(h)});
    }
    QHash<QString, qsizetype> index;
    std::vector<qint64> itemFen;
    std::vector<qint64> goodsFen;
    std::vector<qint64> bucketFen(size_t(p.buckets.size()), 0);
    ShiftTally shifts;
    const auto add = [&](const DaySum &day) {
        p.days += day.lines > 0 ? 1 : 0;
        p.lines += day.lines;
        p.skipped += day.skipped;
        p.unreadable += day.unreadable ? 1 : 0;
        for (const DaySum::Item &part : day.items) {
            auto found = index.constFind(part.name);
            if (found == index.cend()) {
                found = index.insert(part.name, p.items.size());
                p.items.append({part.name});
                itemFen.push_back(0);
                goodsFen.push_back(0);
            }
            ItemLine &line = p.items[*found];
            line.sessions += part.sessions;
            line.minutes += part.minutes;
            AmountDue::add(itemFen[size_t(*found)], part.fen);
            AmountDue::add(goodsFen[size_t(*found)], part.goodsFen);
        }
        for (const auto &[at, bill] : day.bills) {
            p.buckets[at].minutes += bill.first;
            AmountDue::add(bucketFen[size_t(at)], bill.second);
        }
        for (const auto &[slot, minutes] : day.busy)
            p.busyHours[hourly ? slot : hours.clockHour[size_t(slot)]].minutes += minutes;
        if (!day.unreadable)
            shifts.addDay(day.shifts.parts(), day.shiftSums);
    };
    // Days are read and summed a block at a time on every core, then added up in order: a year of
    // busy days is mostly parsing, and the result must not depend on which thread was first.
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    constexpr int kBlock = 64;
    for (int from = 0; from < days; from += kBlock) {
        std::vector<std::optional<DaySum>> block(size_t(std::min(kBlock, days - from)));
        const auto sumEvery = [&](int worker) {
            for (size_t k = size_t(worker); k < block.size(); k += size_t(workers)) {
                block[k].emplace(ledger, first.addDays(from + int(k)), readAt, control, from + int(k), hours, hourly,
                                 rule);
                if (control)
                    control->daysRead.fetch_add(1, std::memory_order_relaxed);
            }
        };
        std::vector<std::thread> threads;
        for (int w = 1; w < workers; ++w)
            threads.emplace_back(sumEvery, w);
        sumEvery(0);
        for (std::thread &t : threads)
            t.join();
        for (const std::optional<DaySum> &day : block)
            if (day->cancelled)
                p.cancelled = true;
        if (p.cancelled) {
            // Nothing half-summed: the period as if nothing had been read.
            PeriodTakings none;
            none.first = p.first;
            none.last = p.last;
            none.cancelled = true;
            return none;
        }
        for (const std::optional<DaySum> &day : block)
            add(*day);
    }

    // Sums of minutes carry binary noise; the figures are hundredths of minutes.
    for (qsizetype k = 0; k < p.items.size(); ++k) {
        p.items[k].minutes = TimeText::roundMinutes(p.items[k].minutes);
        p.items[k].due = AmountDue::fromFen(itemFen[size_t(k)]);
        p.items[k].goods = AmountDue::fromFen(goodsFen[size_t(k)]);
    }
    for (qsizetype k = 0; k < p.buckets.size(); ++k) {
        p.buckets[k].minutes = TimeText::roundMinutes(p.buckets[k].minutes);
        p.buckets[k].due = AmountDue::fromFen(bucketFen[size_t(k)]);
    }
    for (Hour &hour : p.busyHours)
        hour.minutes = TimeText::roundMinutes(hour.minutes);
    p.shifts = shifts.lines();
    if (readAt.isValid())
        for (Bucket &bucket : p.buckets)
            bucket.future = bucket.start > readAt;

    std::sort(p.items.begin(), p.items.end(),
              [](const ItemLine &a, const ItemLine &b) { return NumberedOrder::before(a.name, b.name); });
    return p;
}

int PeriodTakings::sessions() const
{
    int sum = 0;
    for (const ItemLine &line : items)
        sum += line.sessions;
    return sum;
}

double PeriodTakings::minutes() const
{
    double sum = 0;
    for (const ItemLine &line : items)
        sum += line.minutes;
    return TimeText::roundMinutes(sum);
}

double PeriodTakings::ItemLine::total() const
{
    return goods == 0 ? due : AmountDue::total({due, goods});
}

double PeriodTakings::due() const
{
    QList<double> dues;
    dues.reserve(items.size());
    for (const ItemLine &line : items)
        dues.append(line.due);
    return AmountDue::total(dues);
}

double PeriodTakings::goods() const
{
    QList<double> amounts;
    for (const ItemLine &line : items)
        amounts.append(line.goods);
    return AmountDue::total(amounts);
}

double PeriodTakings::total() const
{
    return AmountDue::total({due(), goods()});
}

double PeriodTakings::share(const ItemLine &item) const
{
    const double all = minutes();
    return all > 0 ? item.minutes / all : 0;
}
