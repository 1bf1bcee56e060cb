#include "timing/ExportSettings.h"

#include "timing/SettingsKeys.h"
#include "timing/SettingsStore.h"

#include <QDir>

namespace ExportSettings {

QString folder(SettingsStore &store)
{
    return QDir::fromNativeSeparators(
        store.getSetting(SettingsKeys::app(), SettingsKeys::exportSection(), SettingsKeys::exportFolder(), QString()));
}

void setFolder(SettingsStore &store, const QString &folder)
{
    // Kept as the operator's system writes it, so that the file reads naturally when opened by hand.
    store.saveSetting(SettingsKeys::app(), SettingsKeys::exportSection(), SettingsKeys::exportFolder(),
                      QDir::toNativeSeparators(folder));
}

} // namespace ExportSettings
