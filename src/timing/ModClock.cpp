#include "timing/ModClock.h"

#include "timing/Tariff.h"
#include "timing/TimeText.h"
#include "timing/TimingOperations.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

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
    // A refresh under way goes on with the rows after it where they now stand.
    if (m_pass) {
        m_pass->next -= pos < m_pass->next ? 1 : 0;
        m_pass->reached.removeAll(pos);
        for (int &r : m_pass->reached)
            r -= r > pos ? 1 : 0;
    }
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
    return tariff.billAt(item, now);
}

bool ModClock::addGoods(int pos, const GoodsLine &goods, const Moment &now)
{
    Item *item = lvwMain.edit(pos);
    if (!item || !goods.valid())
        return false;
    item->goods.merge(goods);
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
    // A pass still under way belongs to an earlier moment: it is finished first, as it began.
    while (m_pass)
        refreshSlice(std::numeric_limits<int>::max());
    // Thousands of items measure their sessions against now: with its offset from UTC fixed, each
    // measurement is arithmetic instead of a question to the time-zone database.
    Moment now = localNow;
    now.wall = localNow.wall.toOffsetFromUtc(localNow.wall.offsetFromUtc());
    m_pass = RefreshPass {now, minute, again, 1, std::nullopt, false, {}};
    // Ten thousand rows at once would hold the window for milliseconds: with an event loop to come
    // back to, the rows are brought up a slice at a time, the operator's keys answered in between.
    // The first slice waits for the next turn too, so that the minute adds nothing to the work its
    // second does now (the caption and the status bar).
    if (QThread::currentThread()->loopLevel() > 0)
        QTimer::singleShot(0, this, &ModClock::refreshRest);
    else
        refreshSlice(std::numeric_limits<int>::max());
    return m_nextEdge;
}

void ModClock::refreshRest()
{
    if (!m_pass)
        return;
    refreshSlice(kRowsPerSlice, kSliceBudgetNs);
    if (m_pass)
        QTimer::singleShot(0, this, &ModClock::refreshRest);
}

void ModClock::refreshSlice(int rows, qint64 budgetNs)
{
    RefreshPass &p = *m_pass;
    QElapsedTimer spent;
    if (budgetNs > 0)
        spent.start();
    {
        const ItemRowModel::Batch batch(lvwMain);
        for (int done = 0; p.next <= lvwMain.count() && done < rows; ++p.next, ++done) {
            // Rows not in the cache cost many times what the same rows cost a moment later: a
            // slice ends on time spent as well as on rows, so that it holds the window no longer
            // on a machine whose caches others have filled.
            if (done % 16 == 15 && budgetNs > 0 && spent.nsecsElapsed() > budgetNs)
                break;
            const int i = p.next;
            const Item &item = lvwMain.at(i);
            if (!item.running)
                continue;
            p.timing = true;
            if (const std::optional<qint64> edge = p.now.nextMinuteEdge(item.anchor))
                p.nextEdge = std::min(p.nextEdge.value_or(*edge), *edge);
            if (!p.again && item.upTo == p.minute)
                continue;
            // The session is measured once: a banded row puts its new minutes in their bands with it.
            const double session = TimingOperations::sessionMinutes(item, p.now);
            if (item.banded)
                settleBands(*lvwMain.edit(i), session, p.now);
            showMinutes(i, TimeText::roundMinutes(item.total + session), p.minute);
            if (item.limit.isSet() && !item.limit.told && item.limitState() == ItemLimit::State::Reached)
                p.reached.append(i);
        }
    }
    if (p.next <= lvwMain.count())
        return;
    const RefreshPass done = std::move(p);
    m_pass.reset();
    m_nextEdge = done.nextEdge;
    if (!done.reached.isEmpty())
        tellLimits(done.reached, done.now, true);
    Q_EMIT refreshed(done.now.wall, done.timing);
}

void ModClock::anchorRunning(const Moment &now)
{
    for (int i = 1; i <= lvwMain.count(); ++i) {
        Item *item = lvwMain.edit(i);
        if (item->running)
            item->anchor = now;
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
