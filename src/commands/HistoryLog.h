#pragma once
// The items removed since the program started, kept so the operator can look back at them.

#include "ItemRowModel.h"
#include "clsSave.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>
#include <vector>

class ModClock;

// One removed item as it stood when it was removed.
struct RemovedItem {
    QString name;
    QString scheme;
    int sessions = 0;      // sessions started, the one in progress included
    double minutes = 0;    // booked minutes, plus those of a session still running at removal
    QString lastFee;       // the result the list showed last
    QDateTime removedAt;
    bool ended = false;    // ended and reported on removal, rather than only taken off the list
    clsSave record;        // the sessions, for the item's report
    std::array<QString, ItemRowModel::ColumnCount> row; // the row's texts
};

// Lives as long as the program; nothing of it is saved, like the items themselves.
class HistoryLog : public QObject {
    Q_OBJECT
public:
    explicit HistoryLog(QObject *parent = nullptr);

    // What item pos of state is at now, before it goes.
    static RemovedItem Snapshot(const ModClock &state, int pos, const QDateTime &now, bool ended);

    void Record(RemovedItem item);

    int Count() const { return static_cast<int>(m_items.size()); }
    // Entry 0 is the item removed last.
    const RemovedItem &Newest(int index) const;

signals:
    void recorded();

private:
    std::vector<RemovedItem> m_items; // oldest first
};
