#include "HistoryLog.h"

#include "ModClock.h"
#include "TimingOperations.h"

HistoryLog::HistoryLog(QObject *parent) : QObject(parent) {}

RemovedItem HistoryLog::Snapshot(const ModClock &state, int pos, const QDateTime &now, bool ended)
{
    RemovedItem item;
    const ItemRowModel &rows = state.lvwMain;
    for (int col = 0; col < ItemRowModel::ColumnCount; ++col)
        item.row[static_cast<size_t>(col)] = rows.Text(pos, col);
    item.name = state.cName.Value(pos);
    item.scheme = state.cItemFangAn.Value(pos);
    item.sessions = state.cCount.Value(pos, 0);
    // An item taken off the list while running has its current session unbooked; the time it was
    // used still counts for the operator looking back.
    item.minutes = state.cRunning.Value(pos, false) ? TimingOperations::RunningMinutes(state, pos, now)
                                                    : state.cTotal.Value(pos, 0);
    item.lastFee = rows.Text(pos, ItemRowModel::ColResult);
    item.removedAt = now;
    item.ended = ended;
    if (state.cSave.IsValid(pos))
        item.record = state.cSave.Item(pos);
    return item;
}

void HistoryLog::Record(RemovedItem item)
{
    m_items.push_back(std::move(item));
    emit recorded();
}

const RemovedItem &HistoryLog::Newest(int index) const
{
    return m_items.at(m_items.size() - 1 - static_cast<size_t>(index));
}
