#include "timing/GoodsStore.h"

#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"

#include <algorithm>

namespace {
const QString kApp = SettingsKeys::app();
const QString kSection = SettingsKeys::goodsSection();
const QString kMax = SettingsKeys::schemeMax();

QString nameKey(int i)
{
    return QStringLiteral("Name") + QString::number(i);
}
QString priceKey(int i)
{
    return QStringLiteral("Price") + QString::number(i);
}

int storedCount(SettingsStore &store)
{
    bool ok = false;
    const int count = store.getSetting(kApp, kSection, kMax, QString()).trimmed().toInt(&ok);
    // No café sells a thousand goods; a count beyond that is damage, not a list to walk.
    return ok ? std::clamp(count, 0, 999) : 0;
}
} // namespace

namespace GoodsStore {

QList<GoodsLine> load(SettingsStore &store)
{
    QList<GoodsLine> goods;
    const int count = storedCount(store);
    for (int i = 1; i <= count; ++i) {
        const QString name = store.getSetting(kApp, kSection, nameKey(i), QString()).trimmed();
        const std::optional<double> price =
            GoodsLine::priceOf(store.getSetting(kApp, kSection, priceKey(i), QString()));
        if (!name.isEmpty() && price)
            goods.append({name, *price, 1});
    }
    return goods;
}

void save(const QList<GoodsLine> &goods, SettingsStore &store)
{
    const int before = storedCount(store);
    const bool held = !store.getSetting(kApp, kSection, kMax, QString()).isEmpty();
    if (!held && goods.isEmpty())
        return;
    for (int i = 1; i <= before; ++i) {
        store.deleteSetting(kApp, kSection, nameKey(i));
        store.deleteSetting(kApp, kSection, priceKey(i));
    }
    for (qsizetype i = 0; i < goods.size(); ++i) {
        store.saveSetting(kApp, kSection, nameKey(int(i) + 1), goods[i].name);
        store.saveSetting(kApp, kSection, priceKey(int(i) + 1), QString::number(goods[i].price, 'f', 2));
    }
    store.saveSetting(kApp, kSection, kMax, QString::number(goods.size()));
}

} // namespace GoodsStore
