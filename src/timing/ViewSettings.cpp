#include "timing/ViewSettings.h"

#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"

#include <QString>

namespace {
const QString kApp = SettingsKeys::app();
const QString kSection = SettingsKeys::section();

qint32 readNumber(SettingsStore &store, const QString &key, qint32 fallback)
{
    bool ok = false;
    const qint32 v = store.getSetting(kApp, kSection, key, QString::number(fallback)).trimmed().toInt(&ok);
    return ok ? v : 0;
}
} // namespace

void ViewSettings::load(SettingsStore &store)
{
    lngDepthColor = readNumber(store, SettingsKeys::depthColor(), 0);
    lngDepthMode = readNumber(store, SettingsKeys::depthMode(), 4);
    lngView = readNumber(store, SettingsKeys::view(), 3);
    lngLineColor = readNumber(store, SettingsKeys::lineColor(), 16777215);
}

void ViewSettings::save(SettingsStore &store) const
{
    store.saveSetting(kApp, kSection, SettingsKeys::depthColor(), QString::number(lngDepthColor));
    store.saveSetting(kApp, kSection, SettingsKeys::depthMode(), QString::number(lngDepthMode));
    store.saveSetting(kApp, kSection, SettingsKeys::view(), QString::number(lngView));
    store.saveSetting(kApp, kSection, SettingsKeys::lineColor(), QString::number(lngLineColor));
}
