#include "timing/SchemeStore.h"

#include "timing/SchemeBands.h"
#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"
#include "timing/Tariff.h"

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

// The value under a key, "0" included; none when the key is not there. The store tells a missing
// key only by handing back the fallback, and no value equals two different ones.
std::optional<QString> storedValue(SettingsStore &store, const QString &key)
{
    const QString value = store.getSetting(kApp, kSection, key, kMissing);
    if (value != kMissing || store.getSetting(kApp, kSection, key, QStringLiteral("1")) != QStringLiteral("1"))
        return value;
    return std::nullopt;
}

// The scheme at a numbered key: its formula, or the bands beside it when the key holds "0".
// None when the key is missing, or holds "0" without bands this program can read.
std::optional<QString> loadableAt(SettingsStore &store, int number)
{
    if (const std::optional<QString> text = schemeAt(store, number))
        return text;
    if (storedValue(store, SettingsKeys::scheme(number)) != kMissing)
        return std::nullopt;
    const std::optional<QString> bands = storedValue(store, SettingsKeys::schemeBands(number));
    return bands && SchemeBands::parse(*bands) ? bands : std::nullopt;
}

// The highest number for which held is true. The program counts only as far as "Max" (a 16-bit
// number), so that is the last key it could ever write over.
template <typename Held> int highestHeld(Held held)
{
    for (int i = std::numeric_limits<qint16>::max(); i > 0; --i) {
        if (held(i))
            return i;
    }
    return 0;
}

int highestScheme(SettingsStore &store)
{
    return highestHeld([&store](int i) { return schemeAt(store, i).has_value(); });
}

// Bands keys are looked for apart: an older version that rewrote the list has left them behind.
int highestBands(SettingsStore &store)
{
    return highestHeld([&store](int i) { return storedValue(store, SettingsKeys::schemeBands(i)).has_value(); });
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
    const int lastBands = highestBands(store);
    int count = max.value_or(0);
    if (!max) {
        while (count < std::max(highest, lastBands) && loadableAt(store, count + 1))
            ++count;
    }

    int skipped = 0;
    int bandsLoaded = 0;
    for (int i = 1; i <= count; ++i) {
        if (const std::optional<QString> text = loadableAt(store, i)) {
            state.cFangAn.add(*text);
            bandsLoaded += schemeAt(store, i) ? 0 : 1;
        } else {
            ++skipped;
        }
    }
    // Entries beyond the count are not loaded, and they are not left either, for a later save to
    // write over one by one: the save deletes every numbered key up to intFangAn, once the file has
    // been kept aside as it was.
    for (int i = count + 1; i <= std::max(highest, lastBands); ++i)
        skipped += loadableAt(store, i) ? 1 : 0;
    // So are bands beside an entry an older version has since written over, and bands that cannot
    // be read.
    int bandsHeld = 0;
    for (int i = 1; i <= lastBands; ++i)
        bandsHeld += storedValue(store, SettingsKeys::schemeBands(i)) ? 1 : 0;
    state.intFangAn = qint16(std::max({count, highest, lastBands}));
    if ((!max && (!maxText.trimmed().isEmpty() || std::max(highest, lastBands) > 0)) || highest > count
        || bandsHeld > bandsLoaded)
        store.keepOriginal();
    return skipped;
}

void SaveFangAn(Tariff &state, SettingsStore &store)
{
    for (int i = 1; i <= state.intFangAn; ++i) {
        store.deleteSetting(kApp, kSection, SettingsKeys::scheme(i));
        // Only a Bands key that is there is deleted: a list without bands is written as it always was.
        if (storedValue(store, SettingsKeys::schemeBands(i)))
            store.deleteSetting(kApp, kSection, SettingsKeys::schemeBands(i));
    }
    for (int i = 1; i <= state.cFangAn.count(); ++i) {
        const QString &text = state.cFangAn.item(i);
        if (state.bands(text)) {
            store.saveSetting(kApp, kSection, SettingsKeys::scheme(i), kMissing);
            store.saveSetting(kApp, kSection, SettingsKeys::schemeBands(i), text);
        } else {
            store.saveSetting(kApp, kSection, SettingsKeys::scheme(i), text);
        }
    }
    store.saveSetting(kApp, kSection, kMax, QString::number(state.cFangAn.count()));
    // The list is saved more than once a run now: the next save must delete what this one wrote.
    state.intFangAn = qint16(std::min(state.cFangAn.count(), int(std::numeric_limits<qint16>::max())));
}

} // namespace SchemeStore
