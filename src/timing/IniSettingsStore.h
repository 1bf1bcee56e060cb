#pragma once
// The settings store on QSettings: an INI file per user on Linux, the registry on Windows.

#include "SettingsStore.h"

#include <QString>

#include <memory>

class QSettings;

class IniSettingsStore : public SettingsStore {
public:
    // With an empty path the store uses the per-user location for the application; a path picks
    // an INI file directly (tests use a temporary folder).
    explicit IniSettingsStore(QString filePath = QString());

    QString GetSetting(const QString &app, const QString &section, const QString &key,
                       const QString &fallback) override;
    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
    void DeleteSetting(const QString &app, const QString &section, const QString &key) override;

    // Where the per-user store of an application lives (a file path, or a registry path on Windows).
    static QString LocationFor(const QString &app);

private:
    std::unique_ptr<QSettings> open(const QString &app) const;
    QString m_filePath;
};
