#pragma once
// The per-user settings store: text values by application, section and key.

#include <QString>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString GetSetting(const QString &app, const QString &section, const QString &key,
                               const QString &fallback) = 0;
    virtual void SaveSetting(const QString &app, const QString &section, const QString &key,
                             const QString &value) = 0;
    // Deleting a key that does not exist is not an error.
    virtual void DeleteSetting(const QString &app, const QString &section, const QString &key) = 0;
};
