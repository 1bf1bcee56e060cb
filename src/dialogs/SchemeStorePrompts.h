#pragma once
// What the operator is told about the settings file: a warning when scheme entries could not be
// read, a note when a save fails, and where a file it could not read whole was kept.

class Tariff;
class Prompter;
class SettingsStore;

namespace SchemeStorePrompts {

// Loads the scheme list and warns "计时方案设置值错误" once, with the number of entries it skipped.
void LoadFangAn(Tariff &state, SettingsStore &store, Prompter &prompter);

// Makes every change held by the store durable at once. A failure is told to the operator, once
// until a commit succeeds again, and the program goes on; the result says whether it was written.
// A commit that kept the original aside says where.
bool commit(SettingsStore &store, Prompter &prompter);

} // namespace SchemeStorePrompts
