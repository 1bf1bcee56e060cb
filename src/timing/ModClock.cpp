#include "timing/ModClock.h"

#include "timing/Tariff.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <algorithm>
#include <cmath>
#include <limits>

ModClock::ModClock(Tariff &tariff) : tariff(tariff)
{ }

ModClock::ModClock() : m_ownTariff(std::make_unique<Tariff>()), tariff(*m_ownTariff)
{ }

ModClock::~ModClock() = default;

int ModClock::add(const NewItem &item, const Moment &now)
{
    if (lvwMain.hasName(item.name))
        return 0;
    Item fresh;
    fresh.name = item.name;
    fresh.scheme = item.scheme;
    fresh.typedIn = item.minutes;
    fresh.total = item.minutes;
    fresh.running = item.startNow;
    if (item.startNow) {
        fresh.record.cStart.add(now.wall);
        fresh.anchor = now;
    }
    // Minutes typed in are part of the bill from the start, and so is what the scheme charges
    // for them.
    const QTime t = now.wall.time();
    fresh.upTo = QTime(t.hour(), t.minute());
    fresh.minutesShown = TimeText::roundMinutes(item.minutes);
    tariff.startBands(fresh, now.wall);
    fresh.fee = tariff.fee(fresh, fresh.minutesShown);
    const int pos = append(std::move(fresh));
    if (pos != 0)
        Q_EMIT added(pos, item, now.wall);
    return pos;
}

int ModClock::append(Item item)
{
    if (lvwMain.hasName(item.name))
        return 0;
    // The counters are up to date before any view hears of the new row.
    ++m_lngAdded;
    ++m_lngItems;
    return lvwMain.append(std::move(item));
}

void ModClock::countAdded(int count)
{
    m_lngAdded = qint32(std::clamp<qint64>(qint64(m_lngAdded) + count, 0, std::numeric_limits<qint32>::max()));
}

void ModClock::removeRow(int pos)
{
    --m_lngItems;
    lvwMain.remove(pos);
}

bool ModClock::remove(int pos)
{
    if (!lvwMain.isValid(pos))
        return false;
    const QString name = lvwMain.at(pos).name;
    removeRow(pos);
    Q_EMIT removed(name);
    return true;
}

bool ModClock::startRow(int pos, const Moment &now)
{
    Item *item = lvwMain.edit(pos);
    if (!item || item->running)
        return false;
    item->running = true;
    item->anchor = now;
    if (item->banded)
        item->banded->sessionBanded = 0;
    item->record.cStart.add(now.wall);
    lvwMain.rowChanged(pos, ItemRowModel::ColName, ItemRowModel::ColCount,
                       {Qt::DisplayRole, ItemRowModel::ImageRole, ItemRowModel::TagRole});
    return true;
}

bool ModClock::startTiming(int pos, const Moment &now)
{
    if (!startRow(pos, now))
        return false;
    Q_EMIT started(lvwMain.at(pos).name, now.wall);
    return true;
}

std::optional<BookedSession> ModClock::endRow(int pos, const Moment &now, std::optional<double> booked)
{
    Item *item = lvwMain.edit(pos);
    // A stopped item is left as it is: it already shows the stopped image and tag.
    if (!item || !item->running)
        return std::nullopt;
    const double m = booked ? *booked : TimingOperations::sessionMinutes(*item, now);
    // Minutes the refresh has not yet put in a band go in now, as the run's last minutes.
    if (tariff.settle(*item, m, now.wall))
        Q_EMIT bandBegun(item->name, item->banded->state(), now.wall);
    if (item->banded)
        item->banded->sessionBanded = 0;
    item->record.cTime.add(m);
    item->total += m;
    item->running = false;
    item->anchor = Moment();
    item->record.cEnd.add(now.wall);
    lvwMain.rowChanged(pos, ItemRowModel::ColName, ItemRowModel::ColName,
                       {ItemRowModel::ImageRole, ItemRowModel::TagRole});
    // The row shows the bill as it now stands, not as it stood at the last refresh.
    showMinutes(pos, TimingOperations::runningMinutes(*item, now), now.wall.time());
    return BookedSession {item->name, item->scheme, item->latestStart(), m};
}

std::optional<double> ModClock::endTiming(int pos, const Moment &now, std::optional<double> booked)
{
    const std::optional<BookedSession> session = endRow(pos, now, booked);
    if (!session)
        return std::nullopt;
    Q_EMIT ended(*session, now.wall);
    return session->minutes;
}

void ModClock::setAll(bool on, const Moment &now)
{
    QList<BookedSession> ended;
    for (int i = 1; i <= lvwMain.count(); ++i) {
        if (on)
            startRow(i, now);
        else if (std::optional<BookedSession> session = endRow(i, now, std::nullopt))
            ended.append(std::move(*session));
    }
    if (lvwMain.count() > 0)
        Q_EMIT allTimed(on, now.wall, ended);
}

ItemBill ModClock::billOf(const Item &item, const Moment &now) const
{
    ItemBill bill = tariff.billAt(item, now);
    bill.goods = item.goods;
    return bill;
}

bool ModClock::addGoods(int pos, const GoodsLine &goods, const Moment &now)
{
    Item *item = lvwMain.edit(pos);
    if (!item || !goods.valid())
        return false;
    GoodsLine::merge(item->goods, goods);
    lvwMain.rowChanged(pos, ItemRowModel::ColName, ItemRowModel::ColumnCount - 1, {Qt::ToolTipRole});
    Q_EMIT goodsAdded(item->name, goods, now.wall);
    return true;
}

QString ModClock::moveTo(int pos, const QString &newName, const Moment &now)
{
    if (!lvwMain.isValid(pos))
        return QString();
    const QString name = newName.trimmed();
    if (name.isEmpty())
        return QStringLiteral("请输入新的项名称。");
    if (lvwMain.hasName(name))
        return QStringLiteral("项名称“%1”已在使用,请换一个名称。").arg(name);
    const QString from = lvwMain.at(pos).name;
    lvwMain.rename(pos, name);
    Q_EMIT moved(from, name, now.wall);
    return QString();
}

void ModClock::leave(int pos, LeaveHow how, const Moment &now)
{
    if (!lvwMain.isValid(pos))
        return;
    // A session still running ends here, booked as any end is: the day's hours and sessions count
    // only booked sessions, and the bill below then holds exactly the minutes they do.
    endTiming(pos, now);
    const QList<ItemBill> bills {billOf(lvwMain.at(pos), now)};
    // The journal hears of the bill first: a crash before the ledger has it books it on restore,
    // and one after finds the item gone, so it is never booked twice.
    Q_EMIT leaving(bills, how, now.wall);
    removeRow(pos);
    Q_EMIT left(bills, how, now.wall);
}

void ModClock::leaveAll(const Moment &now)
{
    // The sessions still running end first, announced together as a stop of all would be: a
    // hundred items closing with the program must not cost a hundred disk writes.
    QList<BookedSession> ended;
    for (int i = 1; i <= lvwMain.count(); ++i)
        if (std::optional<BookedSession> session = endRow(i, now, std::nullopt))
            ended.append(std::move(*session));
    if (!ended.isEmpty())
        Q_EMIT allTimed(false, now.wall, ended);
    QList<ItemBill> bills;
    for (int i = 1; i <= lvwMain.count(); ++i)
        bills.append(billOf(lvwMain.at(i), now));
    Q_EMIT leaving(bills, LeaveHow::AtExit, now.wall);
    Q_EMIT left(bills, LeaveHow::AtExit, now.wall);
}

void ModClock::showMinutes(int pos, double minutes, const QTime &upTo)
{
    Item *item = lvwMain.edit(pos);
    if (!item)
        return;
    const double fee = tariff.fee(*item, minutes);
    const QTime minute(upTo.hour(), upTo.minute());
    // A row that already shows these is no change to announce; a fee that is not a number is the
    // same as the last one that was not either.
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    if (item->upTo == minute && same(item->minutesShown, minutes) && same(item->fee, fee))
        return;
    const ItemLimit::State was = item->limitState();
    item->upTo = minute;
    item->minutesShown = minutes;
    item->fee = fee;
    // A row that comes near its limit or reaches it is marked whole, its name and picture too.
    const bool marked = item->limitState() != was;
    lvwMain.rowChanged(pos, marked ? ItemRowModel::ColName : ItemRowModel::ColUpTo, ItemRowModel::ColResult,
                       {Qt::DisplayRole, ItemRowModel::MinutesRole, ItemRowModel::FeeRole, ItemRowModel::LimitRole});
}

std::optional<qint64> ModClock::refreshRunning(const Moment &localNow, const QTime &minute, bool again)
{
    // Thousands of items measure their sessions against now: with its offset from UTC fixed, each
    // measurement is arithmetic instead of a question to the time-zone database.
    Moment now = localNow;
    now.wall = localNow.wall.toOffsetFromUtc(localNow.wall.offsetFromUtc());
    const ItemRowModel::Batch batch(lvwMain);
    std::optional<qint64> nextEdge;
    bool timing = false;
    QList<int> reached;
    for (int i = 1; i <= lvwMain.count(); ++i) {
        const Item &item = lvwMain.at(i);
        if (!item.running)
            continue;
        timing = true;
        if (const std::optional<qint64> edge = now.nextMinuteEdge(item.anchor))
            nextEdge = std::min(nextEdge.value_or(*edge), *edge);
        if (!again && item.upTo == minute)
            continue;
        // The session is measured once: a banded row puts its new minutes in their bands with it.
        const double session = TimingOperations::sessionMinutes(item, now);
        if (item.banded)
            settleBands(*lvwMain.edit(i), session, now);
        showMinutes(i, TimeText::roundMinutes(item.total + session), minute);
        if (item.limit.isSet() && !item.limit.told && item.limitState() == ItemLimit::State::Reached)
            reached.append(i);
    }
    if (!reached.isEmpty())
        tellLimits(reached, now, true);
    Q_EMIT refreshed(now.wall, timing);
    return nextEdge;
}

void ModClock::anchorRunning(const Moment &now)
{
    for (int i = 1; i <= lvwMain.count(); ++i) {
        Item *item = lvwMain.edit(i);
        if (item->running)
            item->anchor = now;
    }
}

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

bool ModClock::restoreBands(int pos, const ItemBands &bands)
{
    Item *item = lvwMain.edit(pos);
    return item && tariff.restore(*item, bands);
}

bool ModClock::anchorAt(int pos, const Moment &anchor)
{
    Item *item = lvwMain.edit(pos);
    if (!item || !item->running || !anchor.wall.isValid())
        return false;
    item->anchor = anchor;
    return true;
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
