#include "timing/ViewSettings.h"

#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"

#include <QString>

namespace {
const QString kApp = SettingsKeys::App();
const QString kSection = SettingsKeys::Section();

qint32 readNumber(SettingsStore &store, const QString &key, qint32 fallback)
{
    bool ok = false;
    const qint32 v = store.GetSetting(kApp, kSection, key, QString::number(fallback)).trimmed().toInt(&ok);
    return ok ? v : 0;
}
} // namespace

void ViewSettings::Load(SettingsStore &store)
{
    lngDepthColor = readNumber(store, SettingsKeys::DepthColor(), 0);
    lngDepthMode = readNumber(store, SettingsKeys::DepthMode(), 4);
    lngView = readNumber(store, SettingsKeys::View(), 3);
    lngLineColor = readNumber(store, SettingsKeys::LineColor(), 16777215);
}

void ViewSettings::Save(SettingsStore &store) const
{
    store.SaveSetting(kApp, kSection, SettingsKeys::DepthColor(), QString::number(lngDepthColor));
    store.SaveSetting(kApp, kSection, SettingsKeys::DepthMode(), QString::number(lngDepthMode));
    store.SaveSetting(kApp, kSection, SettingsKeys::View(), QString::number(lngView));
    store.SaveSetting(kApp, kSection, SettingsKeys::LineColor(), QString::number(lngLineColor));
}
