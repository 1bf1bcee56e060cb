#pragma once
// The files a run keeps as it goes: the day's ledger, which books every session and every item that
// leaves the list, and the journal, from which the next start offers the items back after an
// unexpected end.

#include "app/CrashRecovery.h"
#include "dialogs/Prompter.h"

#include <QObject>

#include <functional>
#include <memory>

class DayLedger;
class InstanceGuard;
class ItemJournal;
class ShiftRecord;

class RunRecords : public QObject {
    Q_OBJECT
public:
    // ending says that an end was asked for: from then on nothing is opened, offered or told.
    RunRecords(ModClock &state, const WallClock &clock, Prompter &prompter, InstanceGuard &guard,
               std::function<bool()> ending, QObject *parent = nullptr);
    ~RunRecords() override;

    // Once the main window is up, before the journal is offered: the day's ledger, and the shift
    // it holds open.
    void keepLedger();
    // Once the main window is up: offers the items of a run that ended unexpectedly, then records
    // every change to the items from here on, in the journal and the day's ledger. hooks are what
    // the program does around the question (CrashRecovery); their ending is this run's.
    void resumeJournal(CrashRecovery::Hooks hooks);

    // The journal recording the changes, once the offer of the last one is settled.
    ItemJournal *journal() const { return m_journal.get(); }
    DayLedger *ledger() const { return m_ledger.get(); }
    // The operator on duty, kept in the ledger; null without one.
    ShiftRecord *shifts() const { return m_shifts.get(); }

private:
    // A failed write, told once the operation that met it has finished.
    void tellLater(const QString &text, Prompter::Icon icon = Prompter::Icon::Critical);

    ModClock &m_state;
    const WallClock &m_clock;
    Prompter &m_prompter;
    InstanceGuard &m_guard;
    std::function<bool()> m_ending;
    std::unique_ptr<ItemJournal> m_journal;
    std::unique_ptr<DayLedger> m_ledger;
    std::unique_ptr<ShiftRecord> m_shifts;
};
