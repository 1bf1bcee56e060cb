#include "timing/SchemeStore.h"

#include "timing/Tariff.h"
#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {
const QString kApp = SettingsKeys::app();
const QString kSection = SettingsKeys::section();
const QString kMax = SettingsKeys::schemeMax();
const QString kMissing = QStringLiteral("0");

// A whole-number conversion: blanks around the number do not count, and "2.0" is 2.
std::optional<qint16> schemeCount(const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !(v >= 0 && v <= std::numeric_limits<qint16>::max()) || v != std::trunc(v))
        return std::nullopt;
    return qint16(v);
}

// The formula under a numbered key; none when the key is missing or holds "0".
std::optional<QString> schemeAt(SettingsStore &store, int number)
{
    const QString text = store.getSetting(kApp, kSection, SettingsKeys::scheme(number), kMissing);
    return text == kMissing ? std::nullopt : std::optional<QString>(text);
}

// The highest numbered key that holds a formula. The program counts only as far as "Max" (a
// 16-bit number), so this is the last one it could ever write over.
int highestScheme(SettingsStore &store)
{
    for (int i = std::numeric_limits<qint16>::max(); i > 0; --i) {
        if (schemeAt(store, i))
            return i;
    }
    return 0;
}
} // namespace

namespace SchemeStore {

int LoadFangAn(Tariff &state, SettingsStore &store)
{
    // A count that cannot be read (or none at all) stands for the entries numbered from 1 up to the
    // first gap, as the program writes them.
    const QString maxText = store.getSetting(kApp, kSection, kMax, QString());
    const std::optional<qint16> max = schemeCount(maxText);
    const int highest = highestScheme(store);
    int count = max.value_or(0);
    if (!max) {
        while (count < highest && schemeAt(store, count + 1))
            ++count;
    }

    int skipped = 0;
    for (int i = 1; i <= count; ++i) {
        if (const std::optional<QString> text = schemeAt(store, i))
            state.cFangAn.add(*text);
        else
            ++skipped;
    }
    // Entries beyond the count are not loaded, and they are not left either, for a later save to
    // write over one by one: the save deletes every numbered key up to intFangAn, once the file has
    // been kept aside as it was.
    for (int i = count + 1; i <= highest; ++i)
        skipped += schemeAt(store, i) ? 1 : 0;
    state.intFangAn = qint16(std::max(count, highest));
    if ((!max && (!maxText.trimmed().isEmpty() || highest > 0)) || highest > count)
        store.keepOriginal();
    return skipped;
}

void SaveFangAn(Tariff &state, SettingsStore &store)
{
    for (int i = 1; i <= state.intFangAn; ++i)
        store.deleteSetting(kApp, kSection, SettingsKeys::scheme(i));
    for (int i = 1; i <= state.cFangAn.count(); ++i)
        store.saveSetting(kApp, kSection, SettingsKeys::scheme(i), state.cFangAn.item(i));
    store.saveSetting(kApp, kSection, kMax, QString::number(state.cFangAn.count()));
    // The list is saved more than once a run now: the next save must delete what this one wrote.
    state.intFangAn = qint16(std::min(state.cFangAn.count(), int(std::numeric_limits<qint16>::max())));
}

} // namespace SchemeStore
