#pragma once
// The goods on offer at the counter, each with its price, kept in the settings store in a section
// of their own beside the schemes.

#include "timing/GoodsLine.h"

#include <QList>

class SettingsStore;

namespace GoodsStore {

// Reads "Max" and the numbered "Name<i>" and "Price<i>" keys of the goods section; an entry
// without a name or with a price this program would not take is skipped. Each comes with quantity 1.
QList<GoodsLine> load(SettingsStore &store);

// Deletes the keys an earlier save wrote and writes goods densely from 1. A store that never held
// goods and is given none is left as it is. Only the store's memory changes; commit makes it durable.
void save(const QList<GoodsLine> &goods, SettingsStore &store);

} // namespace GoodsStore
