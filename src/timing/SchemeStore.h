#pragma once
// Loads the scheme list from the settings store at start-up and writes it back whenever the
// operator confirms a change of schemes, and at the end.

class Tariff;
class SettingsStore;

namespace SchemeStore {

// Reads "Max" and the numbered keys into cFangAn; a missing or "0" entry is skipped and the rest
// still load in order. A scheme priced by the hour is a "0" entry with its bands beside it under
// "Bands<i>"; bands that cannot be read leave the entry skipped, and bands beside an entry that is
// not "0" (an older version has rewritten the list) are not loaded, and the next save deletes
// them. A "Max" that is missing or not a whole number from 0 to 32767 loads the entries from "1"
// up to the first gap. An entry numbered above the count is skipped, and the next
// save deletes it. Returns the number of entries skipped, for the caller to tell the operator.
// When the count could not be read or an entry is dropped, the store is asked to keep its original
// aside before it is written over.
int LoadFangAn(Tariff &state, SettingsStore &store);

// Deletes the numbered and Bands keys the store holds, then writes cFangAn densely from "1" and
// "Max": a scheme priced by the hour as "0" with its bands under "Bands<i>". Only the store's memory
// changes; commit makes it durable.
void SaveFangAn(Tariff &state, SettingsStore &store);

} // namespace SchemeStore
