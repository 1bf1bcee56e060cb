#pragma once
// The state every window shares: the items, their sessions and the counters, and the operations
// that change an item, each announced once it is made. What an item costs, the tariff answers.

#include "timing/Item.h"
#include "timing/ItemChange.h"
#include "timing/ItemField.h"
#include "timing/ItemRowModel.h"
#include "timing/OrderedList.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Tariff;

// Positions are 1-based, as the item's position in the list is; an operation outside the list does
// nothing. The recorders (journal, ledger) listen to the signals: whatever is connected when an
// operation runs hears of it, before the operation returns; a replay runs before they connect.
class ModClock : public QObject {
    Q_OBJECT
public:
    // Prices with tariff, which outlives the list; without one, with a tariff of its own.
    explicit ModClock(Tariff &tariff);
    ModClock();
    ~ModClock() override;

private:
    // Declared before the reference to it, so that it is made first.
    std::unique_ptr<Tariff> m_ownTariff;

public:
    Tariff &tariff; // what every item costs, shared with the scheme dialogs and store

    ItemRowModel lvwMain; // the items, one per row, as every view of the main list shows them

    // Each item's fields by position, under the names of the design's per-item lists. They only
    // read: an item changes through the operations below.
    const ItemField<&Item::record> cSave {lvwMain};
    const ItemField<&Item::running> cRunning {lvwMain};
    const ItemNames cName {lvwMain}; // also the key: names are unique ignoring case
    const ItemField<&Item::total> cTotal {lvwMain};
    const ItemField<&Item::scheme> cItemFangAn {lvwMain};
    const ItemField<&Item::sessionCount> cCount {lvwMain};

    const qint32 &lngItems = m_lngItems; // the number of items, always that of the rows
    const qint32 &lngAdded = m_lngAdded; // items added since the start; never goes down

    // Appends the item, whole: running from now if asked, with its typed-in minutes and their fee
    // on the row from the start. Returns the new position, or 0 (nothing changed) when the name is
    // taken.
    int add(const NewItem &item, const Moment &now);

    // Opens a session for item pos counting real time from now; true when one was opened (an item
    // already being timed is left alone).
    bool startTiming(int pos, const Moment &now);
    // Closes item pos's session and books its whole minutes, or the minutes given (as a run booked
    // them, replayed from its journal). Returns the minutes booked, nothing when no session was open.
    std::optional<double> endTiming(int pos, const Moment &now, std::optional<double> booked = std::nullopt);
    // Starts every item (on) or ends every item (off), announced as one change however many items
    // it touched: a hundred items must not cost a hundred disk writes.
    void setAll(bool on, const Moment &now);
    // Item pos leaves the list with its bill as it stands, ended and reported first or only removed.
    // A session still running is ended (announced by ended) before the item leaves: every minute a
    // bill holds is either typed in at the add or in a booked session, never in neither.
    void leave(int pos, LeaveHow how, const Moment &now);
    // The operator closed the program: every item leaves with its bill as it stands, in one change.
    // The sessions still running end first, announced as one stop of all (allTimed), when any ran.
    // The list itself stays.
    void leaveAll(const Moment &now);
    // Removes item pos without a bill (a replayed removal); later items move down one position.
    bool remove(int pos);
    // Items that came and went before their journal was written afresh without them still count
    // among the items added.
    void countAdded(int count);

    // Shows minutes on item pos, counted up to the clock minute of upTo, and the fee its scheme gives
    // for them: a row never shows a fee that belongs to other minutes.
    void showMinutes(int pos, double minutes, const QTime &upTo);
    // Brings every running item's row up to now (all of them, or again: only those whose own minute
    // has turned within a minute already shown). Returns the elapsed reading at which the next
    // session's minute turns, if any session runs, as far as the rows brought up tell. Under an
    // event loop a long list is brought up in slices, the rest from the loop; refreshed is
    // announced when the last row is up.
    std::optional<qint64> refreshRunning(const Moment &now, const QTime &minute, bool again = false);
    // Gives item pos a limit of kind (None clears it) at now; the reason it was refused, empty when
    // it was set. A limit already reached when it is set is told at once and, when asked, ends the
    // session now: the customer has used those minutes. A replayed limit was checked when it was
    // first set, and its telling is replayed on its own.
    QString setLimit(int pos, ItemLimit::Kind kind, double amount, bool endAtLimit, const Moment &now,
                     bool replayed = false);
    // The operator was told that item pos reached its limit (a replayed telling).
    void markLimitTold(int pos);

    // Sessions still running from an earlier run (restored from its journal) count real time from now
    // on: up to now only the wall clock can tell how long they ran.
    void anchorRunning(const Moment &now);
    // The session item pos has running counts real time from anchor on (a restored session whose
    // time so far the journal's clock readings tell); false when it has none running.
    bool anchorAt(int pos, const Moment &anchor);
    // Sells goods to item pos's customer: they go on its bill beside the time, the fee unchanged.
    // False outside the list, or for goods without a name, a price or a quantity this program takes.
    bool addGoods(int pos, const GoodsLine &goods, const Moment &now);
    // The customer at item pos moves to another seat: the item, whole and running or not, goes on
    // under newName, which no item may have (ignoring case). Its scheme prices all its minutes
    // together, as before: nothing is charged twice. The reason it was refused, empty when it moved.
    QString moveTo(int pos, const QString &newName, const Moment &now);
    // Item pos's bill at now, goods included; the item is left as it is.
    ItemBill billOf(const Item &item, const Moment &now) const;

    // Item pos's minutes in each band, as a journal recorded them when a band began.
    bool restoreBands(int pos, const ItemBands &bands);

Q_SIGNALS:
    void added(int pos, const NewItem &item, const QDateTime &at);
    void started(const QString &name, const QDateTime &at);
    void ended(const BookedSession &session, const QDateTime &at);
    // Start all or stop all (or the program closing), with the sessions a stop ended.
    void allTimed(bool on, const QDateTime &at, const QList<BookedSession> &ended);
    // Items about to leave with their bills, and then gone: the journal keeps the bills before the
    // items go, the ledger books them after.
    void leaving(const QList<ItemBill> &bills, LeaveHow how, const QDateTime &at);
    void left(const QList<ItemBill> &bills, LeaveHow how, const QDateTime &at);
    void removed(const QString &name);
    // The running items' rows were brought up to at; timing tells whether any item is timed.
    void refreshed(const QDateTime &at, bool timing);
    // A running item on a scheme priced by the hour began timing in another band: its minutes in
    // each band so far, and how many of its session's minutes they hold.
    void bandBegun(const QString &name, const ItemBands &bands, const QDateTime &at);
    // An item was given a limit, or had it cleared (kind None).
    void limitSet(const QString &name, const ItemLimit &limit, const QDateTime &at);
    // These items have just reached their limits, told together however many they are; those
    // that end at their limits have ended already.
    void limitsReached(const QStringList &names, const QDateTime &at);
    // Goods were sold to item name's customer.
    void goodsAdded(const QString &name, const GoodsLine &goods, const QDateTime &at);
    // The item that was from goes on as to.
    void moved(const QString &from, const QString &to, const QDateTime &at);

private:
    int append(Item item);
    bool startRow(int pos, const Moment &now);
    std::optional<BookedSession> endRow(int pos, const Moment &now, std::optional<double> booked);
    // Puts the running item's newly timed minutes in their bands; announces and re-prices a money
    // limit when a band began.
    void settleBands(Item &item, double session, const Moment &now);
    void removeRow(int pos);
    // Tells the items at these positions that have reached their limits and not yet been told,
    // and ends those that end there: at the limit's minute, or now when it was set past it.
    void tellLimits(const QList<int> &positions, const Moment &now, bool atLimitMinute);

    // A minute's refresh of the running rows, a slice at a time.
    struct RefreshPass {
        Moment now;
        QTime minute;
        bool again = false;
        int next = 1; // the next row to bring up
        std::optional<qint64> nextEdge;
        bool timing = false;
        QList<int> reached;
    };
    static constexpr int kRowsPerSlice = 2000;
    static constexpr qint64 kSliceBudgetNs = 500'000;
    // Brings up to rows rows up, fewer when budgetNs (if above 0) is spent first.
    void refreshSlice(int rows, qint64 budgetNs = 0);
    void refreshRest();

    std::optional<RefreshPass> m_pass;
    std::optional<qint64> m_nextEdge;
    qint32 m_lngItems = 0;
    qint32 m_lngAdded = 0;
};
