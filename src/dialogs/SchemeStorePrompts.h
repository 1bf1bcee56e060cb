#pragma once
// What the operator is told about the settings file: a warning for each scheme entry that could not
// be read, and a note when a save fails.

class ModClock;
class Prompter;
class SettingsStore;

namespace SchemeStorePrompts {

// Loads the scheme list and warns "计时方案设置值错误" once for each entry it skipped.
void LoadFangAn(ModClock &state, SettingsStore &store, Prompter &prompter);

// Makes every change held by the store durable at once. A failure is told to the operator, once
// until a commit succeeds again, and the program goes on; the result says whether it was written.
bool Commit(SettingsStore &store, Prompter &prompter);

} // namespace SchemeStorePrompts
