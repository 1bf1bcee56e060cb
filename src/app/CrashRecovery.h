#pragma once
// The question put at the start after a run that ended unexpectedly: what becomes of the items its
// journal holds, and doing what the operator answers.

#include "timing/Moment.h"

#include <functional>
#include <optional>

class DayLedger;
class ItemJournal;
class ModClock;
class Prompter;
class WallClock;

class CrashRecovery {
public:
    // What the program does around the question.
    struct Hooks {
        std::function<bool()> ending; // an end was asked for meanwhile: nothing is answered
        std::function<void()> restored; // items are back: the main window shows them, none chosen
        std::function<void()> timing; // restored items are timed on: the clock refreshes them
    };

    CrashRecovery(ModClock &state, const WallClock &clock, Prompter &prompter, Hooks hooks);

    // Asks what to do with the items of journal and does it: restored (是), restored and ended where
    // the program stopped, or booked in ledger as they stood then (否). False when the program began
    // to end meanwhile: the journal stays as it is for the next start.
    bool offer(ItemJournal &journal, DayLedger *ledger);
    // Once the journal and the ledger follow the state: the restored sessions that are to end where
    // the program stopped end there, recorded and booked as any end is.
    void finish();

private:
    ModClock &m_state;
    const WallClock &m_clock;
    Prompter &m_prompter;
    Hooks m_hooks;
    std::optional<Moment> m_endAt;
};
