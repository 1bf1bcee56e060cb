#pragma once
// Loads the scheme list from the settings store at start-up and writes it back whenever the
// operator confirms a change of schemes, and at the end.

class ModClock;
class Prompter;
class SettingsStore;

namespace SchemeStore {

// Reads "Max" and the numbered keys into cFangAn; a missing or "0" entry costs one warning and is
// skipped, the rest still load in order. A "Max" that is not a whole number from 0 to 32767 loads
// nothing; the store is then asked to keep its original aside before it is written over.
void LoadFangAn(ModClock &state, SettingsStore &store, Prompter &prompter);

// Deletes the numbered keys the store holds, then writes cFangAn densely from "1" and "Max". Only
// the store's memory changes; Commit makes it durable.
void SaveFangAn(ModClock &state, SettingsStore &store);

// Makes every change held by the store durable at once. A failure is told to the operator, once
// until a commit succeeds again, and the program goes on; the result says whether it was written.
bool Commit(SettingsStore &store, Prompter &prompter);

} // namespace SchemeStore
