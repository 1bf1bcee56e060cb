#pragma once
// The folder the exports were last saved in, as the settings store keeps it between runs.

#include <QString>

class SettingsStore;

namespace ExportSettings {
// Empty when none was ever saved.
QString folder(SettingsStore &store);
void setFolder(SettingsStore &store, const QString &folder);
} // namespace ExportSettings
