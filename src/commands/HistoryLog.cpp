#include "commands/HistoryLog.h"

#include "timing/Tariff.h"
#include "timing/TimingOperations.h"

HistoryLog::HistoryLog(QObject *parent) : QObject(parent)
{ }

double RemovedItem::minutes() const
{
    return TimingOperations::runningMinutes(item, Moment(removedAt, removedElapsedMs));
}

QString RemovedItem::howRemoved(bool ended, bool atExit)
{
    if (atExit)
        return QStringLiteral("退出程序");
    return ended ? QStringLiteral("结束并打印") : QStringLiteral("仅移除");
}

RemovedItem HistoryLog::snapshot(const Item &item, const Moment &now, bool ended, const Tariff &tariff)
{
    RemovedItem removed;
    removed.item = item;
    removed.removedAt = now.wall;
    removed.removedElapsedMs = now.elapsedMs;
    removed.ended = ended;
    removed.bill = tariff.billAt(item, now);
    removed.bill.goods = item.goods;
    return removed;
}

void HistoryLog::record(RemovedItem item)
{
    m_items.push_back(std::move(item));
    emit recorded();
}

const RemovedItem &HistoryLog::newest(int index) const
{
    return m_items.at(m_items.size() - 1 - static_cast<size_t>(index));
}
