#include "timing/ReceiptSettings.h"

#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"

#include <algorithm>

namespace {
const QString kApp = SettingsKeys::app();
const QString kSection = SettingsKeys::section();
const QString kPaperNames[ReceiptSettings::PaperCount] = {QStringLiteral("Bill"), QStringLiteral("List"),
                                                          QStringLiteral("Day"), QStringLiteral("Period"),
                                                          QStringLiteral("Shift")};

int readNumber(SettingsStore &store, const QString &key)
{
    return store.getSetting(kApp, kSection, key, QStringLiteral("0")).trimmed().toInt();
}
} // namespace

void ReceiptSettings::load(SettingsStore &store)
{
    shopName = store.getSetting(kApp, kSection, SettingsKeys::shopName(), QString()).trimmed();
    askPaid = readNumber(store, SettingsKeys::askPaid()) != 0;
    rounding = AmountDue::roundingFromStep(readNumber(store, SettingsKeys::rounding()));
    for (int k = 0; k < PaperCount; ++k) {
        const int width = readNumber(store, SettingsKeys::paper(kPaperNames[k]));
        const bool known = std::find(std::begin(kRollWidths), std::end(kRollWidths), width) != std::end(kRollWidths);
        rollWidth[size_t(k)] = known ? width : 0;
    }
}

void ReceiptSettings::save(SettingsStore &store) const
{
    store.saveSetting(kApp, kSection, SettingsKeys::shopName(), shopName);
    store.saveSetting(kApp, kSection, SettingsKeys::askPaid(), askPaid ? QStringLiteral("1") : QStringLiteral("0"));
    store.saveSetting(kApp, kSection, SettingsKeys::rounding(), QString::number(int(rounding)));
    for (int k = 0; k < PaperCount; ++k)
        store.saveSetting(kApp, kSection, SettingsKeys::paper(kPaperNames[k]), QString::number(rollWidth[size_t(k)]));
}
