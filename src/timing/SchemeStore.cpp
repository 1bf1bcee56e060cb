#include "timing/SchemeStore.h"

#include "timing/ModClock.h"
#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {
const QString kApp = SettingsKeys::App();
const QString kSection = SettingsKeys::Section();
const QString kMax = SettingsKeys::Max();
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
} // namespace

namespace SchemeStore {

int LoadFangAn(ModClock &state, SettingsStore &store)
{
    // A count that cannot be read loads nothing and says nothing. The schemes may still be there
    // under their numbers; saving would then write over some of them, so the file is kept aside.
    // (A count that is missing while no key "1" exists is a first start, and costs nothing.)
    const QString maxText = store.GetSetting(kApp, kSection, kMax, QString());
    const std::optional<qint16> max = schemeCount(maxText);
    state.intFangAn = max.value_or(0);
    if (!max
        && (!maxText.trimmed().isEmpty()
            || !store.GetSetting(kApp, kSection, SettingsKeys::Scheme(1), QString()).isNull()))
        store.KeepOriginal();

    int skipped = 0;
    for (int i = 1; i <= state.intFangAn; ++i) {
        const QString text = store.GetSetting(kApp, kSection, SettingsKeys::Scheme(i), kMissing);
        if (text == kMissing) {
            ++skipped;
            continue;
        }
        state.cFangAn.Add(text);
    }
    return skipped;
}

void SaveFangAn(ModClock &state, SettingsStore &store)
{
    for (int i = 1; i <= state.intFangAn; ++i)
        store.DeleteSetting(kApp, kSection, SettingsKeys::Scheme(i));
    for (int i = 1; i <= state.cFangAn.Count(); ++i)
        store.SaveSetting(kApp, kSection, SettingsKeys::Scheme(i), state.cFangAn.Item(i));
    store.SaveSetting(kApp, kSection, kMax, QString::number(state.cFangAn.Count()));
    // The list is saved more than once a run now: the next save must delete what this one wrote.
    state.intFangAn = qint16(std::min(state.cFangAn.Count(), int(std::numeric_limits<qint16>::max())));
}

} // namespace SchemeStore
