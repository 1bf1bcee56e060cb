#pragma once
// The state every window shares: the items, their sessions, the schemes and the counters.

#include "timing/Item.h"
#include "timing/ItemField.h"
#include "timing/ItemRowModel.h"
#include "timing/OrderedList.h"

#include <QDateTime>
#include <QPersistentModelIndex>
#include <QString>

#include <memory>

class DayLedger;
class FormulaEvaluator;
class ItemJournal;

// What the new-items dialog asks for when it adds an item.
struct NewItem {
    QString name;
    QString scheme; // the formula text, copied into the item
    double minutes = 0; // minutes accumulated before the item was added
    bool startNow = true;
};

class ModClock {
public:
    ModClock();
    ~ModClock();
    ModClock(const ModClock &) = delete;
    ModClock &operator=(const ModClock &) = delete;

    ItemRowModel lvwMain; // the items, one per row, as every view of the main list shows them
    QPersistentModelIndex itmSelected; // the current item; empty when there is none

    // Each item's fields by position, under the names of the design's per-item lists. They only
    // read: an item changes through AddItem, RemoveItem and the timing operations.
    const ItemField<&Item::record> cSave {lvwMain};
    const ItemField<&Item::running> cRunning {lvwMain};
    const ItemNames cName {lvwMain}; // also the key: names are unique ignoring case
    const ItemField<&Item::total> cTotal {lvwMain};
    const ItemField<&Item::scheme> cItemFangAn {lvwMain};
    const ItemField<&Item::sessionCount> cCount {lvwMain};

    OrderedList<QString> cFangAn; // the scheme formulas, in order, without keys

    const qint32 &lngItems = m_lngItems; // the number of items, always that of the rows
    const qint32 &lngAdded = m_lngAdded; // items added since the start; never goes down
    qint16 intFangAn = 0;

    // Told of every change to the items, so that they survive a crash; the program sets it once
    // it has decided what to do with the journal of a run that ended unexpectedly.
    ItemJournal *journal = nullptr;
    // Told of every booked session, for the day's takings; null where nothing is kept.
    DayLedger *ledger = nullptr;

    // The shared evaluator, created on first use.
    FormulaEvaluator &objCalc();

    // Position of the current item, 0 when there is none.
    int SelectedPos() const { return lvwMain.PositionOf(itmSelected); }
    void Select(int pos) { itmSelected = lvwMain.Handle(pos); }

    // Appends the item, whole: running from now if asked, with its typed-in minutes and their fee
    // on the row from the start. Returns the new position, or 0 (nothing changed) when the name is
    // taken. The added item becomes the current item.
    int AddItem(const NewItem &item, const Moment &now);
    // Appends an item kept elsewhere as it is (a removed item put back for its report), and makes
    // it the current item; 0 when the name is taken. The journal is not told: such a copy is
    // never timed and must not come back after a crash.
    int AddItem(Item item);

    // Removes item pos; later items move down one position.
    bool RemoveItem(int pos);

private:
    int append(Item item);

    qint32 m_lngItems = 0;
    qint32 m_lngAdded = 0;
    std::unique_ptr<FormulaEvaluator> m_calc;
};
