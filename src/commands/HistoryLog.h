#pragma once
// The items removed since the program started, kept so the operator can look back at them.

#include "timing/Item.h"
#include "timing/ItemChange.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class Tariff;

// One removed item: the item itself as it stood when it was removed, and how it went.
struct RemovedItem {
    Item item;
    QDateTime removedAt;
    std::optional<qint64> removedElapsedMs; // what bills a session still running: see Moment
    bool ended = false; // ended and reported on removal, rather than only taken off the list
    ItemBill bill; // what it owed when it went

    // Booked minutes, plus those of a session still running at removal: an item taken off the list
    // while running has its current session unbooked, yet the time it was used still counts for
    // the operator looking back.
    double minutes() const;

    // How an item left the list, as the history and the day's ledger show it.
    static QString howRemoved(bool ended, bool atExit = false);
};

// Lives as long as the program; nothing of it is saved, like the items themselves.
class HistoryLog : public QObject {
    Q_OBJECT
public:
    explicit HistoryLog(QObject *parent = nullptr);

    // What the item is at now, before it goes.
    static RemovedItem snapshot(const Item &item, const Moment &now, bool ended, const Tariff &tariff);

    void record(RemovedItem item);

    int count() const { return static_cast<int>(m_items.size()); }
    // Entry 0 is the item removed last.
    const RemovedItem &newest(int index) const;

signals:
    void recorded();

private:
    std::vector<RemovedItem> m_items; // oldest first
};
