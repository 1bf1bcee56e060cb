// The operations on an item's prepaid limit, and the minutes of a banded item, which decide where
// a money limit runs out.
#include "timing/ModClock.h"

#include "timing/Tariff.h"
#include "timing/TimingOperations.h"

#include <algorithm>
#include <cmath>

void ModClock::settleBands(Item &item, double session, const Moment &now)
{
    if (!tariff.settle(item, session, now.wall))
        return;
    Q_EMIT bandBegun(item.name, item.banded->state(), now.wall);
    // Where the money runs out depends on the bands ahead: worked out again as each one begins,
    // in case the clock was set meanwhile, and never per item per second.
    if (item.limit.kind == ItemLimit::Kind::Money && !item.limit.told) {
        const double minutes = TimingOperations::runningMinutes(item, now);
        if (const std::optional<ItemLimit> again = ItemLimit::ofMoney(item.limit.amount, item.limit.endAtLimit,
                                                                      tariff.feeAhead(item, now), minutes))
            item.limit.limitMinutes = again->limitMinutes;
    }
}

QString ModClock::setLimit(int pos, ItemLimit::Kind kind, double amount, bool endAtLimit, const Moment &now,
                           bool replayed)
{
    Item *item = lvwMain.edit(pos);
    if (!item)
        return QString();
    // The bill as it stands now, not as the last refresh left it.
    const double minutes = TimingOperations::runningMinutes(*item, now);
    QString refusal;
    std::optional<ItemLimit> limit = ItemLimit();
    if (kind == ItemLimit::Kind::Minutes)
        limit = ItemLimit::ofMinutes(amount, endAtLimit);
    else if (kind == ItemLimit::Kind::Money)
        limit = ItemLimit::ofMoney(amount, endAtLimit, tariff.feeAhead(*item, now), minutes, &refusal);
    if (!limit)
        return refusal.isEmpty() ? QStringLiteral("限额必须是大于 0 的数。") : refusal;
    item->limit = *limit;
    lvwMain.rowChanged(pos, ItemRowModel::ColName, ItemRowModel::ColumnCount - 1, {ItemRowModel::LimitRole});
    Q_EMIT limitSet(item->name, item->limit, now.wall);
    if (!replayed) {
        if (item->running)
            showMinutes(pos, minutes, now.wall.time());
        tellLimits({pos}, now, false);
    }
    return QString();
}

void ModClock::markLimitTold(int pos)
{
    if (Item *item = lvwMain.edit(pos))
        item->limit.told = true;
}

void ModClock::tellLimits(const QList<int> &positions, const Moment &now, bool atLimitMinute)
{
    QStringList names;
    for (const int pos : positions) {
        Item *item = lvwMain.edit(pos);
        if (!item || !item->limit.isSet() || item->limit.told || item->limitState() != ItemLimit::State::Reached)
            continue;
        item->limit.told = true;
        names.append(item->name);
        if (!item->running || !item->limit.endAtLimit)
            continue;
        if (!atLimitMinute) {
            endTiming(pos, now);
            continue;
        }
        // The session is booked up to the limit's minute, however late the refresh noticed it (the
        // program was down, the machine asleep): the customer pays what was bought, no more.
        const double booked = std::max(0.0, std::ceil(item->limit.limitMinutes - item->total - 1e-9));
        QDateTime start = item->latestStart();
        start = start.addMSecs(-qint64(start.time().second() * 1000 + start.time().msec()));
        // Never before the session began nor after now, whatever the wall clock did meanwhile.
        const QDateTime end = std::max(std::min(start.addSecs(qint64(booked) * 60), now.wall), item->latestStart());
        endTiming(pos, end, booked);
    }
    if (!names.isEmpty())
        Q_EMIT limitsReached(names, now.wall);
}
