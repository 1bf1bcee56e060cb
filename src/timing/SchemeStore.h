#pragma once
// Loads the scheme list from the settings store at start-up and writes it back at the end.

class ModClock;
class Prompter;
class SettingsStore;

namespace SchemeStore {

// Reads "Max" and the numbered keys into cFangAn; a missing or "0" entry costs one warning and is
// skipped, the rest still load in order.
void LoadFangAn(ModClock &state, SettingsStore &store, Prompter &prompter);

// Deletes the numbered keys found at start-up, then writes cFangAn densely from "1" and "Max".
void SaveFangAn(ModClock &state, SettingsStore &store);

} // namespace SchemeStore
