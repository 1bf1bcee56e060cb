#include "ViewSettings.h"

#include "SettingsStore.h"

#include <QString>

namespace {
const QString kApp = QStringLiteral("Vantorel");
const QString kSection = QStringLiteral("SET");

qint32 readNumber(SettingsStore &store, const QString &key, qint32 fallback)
{
    bool ok = false;
    const qint32 v = store.GetSetting(kApp, kSection, key, QString::number(fallback)).trimmed().toInt(&ok);
    return ok ? v : 0;
}
} // namespace

void ViewSettings::Load(SettingsStore &store)
{
    lngDepthColor = readNumber(store, QStringLiteral("DEPTHCOLOR"), 0);
    lngDepthMode = readNumber(store, QStringLiteral("DEPTHMODE"), 4);
    lngView = readNumber(store, QStringLiteral("VIEW"), 3);
    lngLineColor = readNumber(store, QStringLiteral("LINECOLOR"), 16777215);
}

void ViewSettings::Save(SettingsStore &store) const
{
    store.SaveSetting(kApp, kSection, QStringLiteral("DEPTHCOLOR"), QString::number(lngDepthColor));
    store.SaveSetting(kApp, kSection, QStringLiteral("DEPTHMODE"), QString::number(lngDepthMode));
    store.SaveSetting(kApp, kSection, QStringLiteral("VIEW"), QString::number(lngView));
    store.SaveSetting(kApp, kSection, QStringLiteral("LINECOLOR"), QString::number(lngLineColor));
}
