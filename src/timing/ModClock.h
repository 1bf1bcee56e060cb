#pragma once
// The state every window shares: the items, their sessions, the schemes and the counters.

#include "ItemRowModel.h"
#include "OrderedList.h"
#include "clsSave.h"

#include <QDateTime>
#include <QPersistentModelIndex>
#include <QString>

#include <memory>

class FormulaEvaluator;
class ItemJournal;

// What the new-items dialog asks for when it adds an item.
struct NewItem {
    QString name;
    QString scheme;      // the formula text, copied into the item
    double minutes = 0;  // minutes accumulated before the item was added
    bool startNow = true;
};

class ModClock {
public:
    ModClock();
    ~ModClock();
    ModClock(const ModClock &) = delete;
    ModClock &operator=(const ModClock &) = delete;

    // Entry i of each per-item list belongs to row i of lvwMain.
    OrderedList<clsSave> cSave;
    OrderedList<bool> cRunning;
    OrderedList<QString> cName; // keyed by the name itself, so names are unique ignoring case
    OrderedList<double> cTotal;
    OrderedList<QString> cItemFangAn;
    OrderedList<int> cCount;

    OrderedList<QString> cFangAn; // the scheme formulas, in order, without keys

    qint32 lngItems = 0;
    qint32 lngAdded = 0;
    qint16 intFangAn = 0;

    ItemRowModel lvwMain;               // the rows every view of the main list shows
    QPersistentModelIndex itmSelected;  // the current item; empty when there is none

    // Told of every change to the items, so that they survive a crash; the program sets it once
    // it has decided what to do with the journal of a run that ended unexpectedly.
    ItemJournal *journal = nullptr;

    // The shared evaluator, created on first use.
    FormulaEvaluator &objCalc();

    // Position of the current item, 0 when there is none.
    int SelectedPos() const { return lvwMain.PositionOf(itmSelected); }
    void Select(int pos) { itmSelected = lvwMain.Handle(pos); }

    // Registers the name, then appends the row and an entry to every per-item list in one go, so
    // nothing can see the item half added. Returns the new position, or 0 (nothing changed) when
    // the name is taken. The added row becomes the current item.
    int AddItem(const NewItem &item, const QDateTime &now);

    // Removes row pos and entry pos of every per-item list; later items move down everywhere.
    bool RemoveItem(int pos);

    // True while the rows, the six lists and lngItems all agree on the number of items.
    bool IsConsistent() const;

private:
    std::unique_ptr<FormulaEvaluator> m_calc;
};
