#pragma once
// The settings store as one INI file per user on Linux, or the registry on Windows.

#include "timing/IniDocument.h"
#include "timing/SettingsStore.h"

#include <QString>

// The store reads the whole file once, at its first use, and keeps it in memory; commit() writes
// it whole to a temporary file beside it, synced to disk, and renames that over the old one, so
// that a crash or a full disk at any moment leaves either the old file or the new one. Sections
// and keys the program does not use are written back unchanged.
class IniSettingsStore : public SettingsStore {
public:
    // With an empty path the store uses the per-user location for the application; a path picks
    // an INI file directly (tests use a temporary folder), or on Windows a registry key when it
    // begins with its root, such as "HKEY_CURRENT_USER\\Software\\...".
    explicit IniSettingsStore(QString filePath = QString());

    QString getSetting(const QString &app, const QString &section, const QString &key,
                       const QString &fallback) override;
    void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) override;
    void deleteSetting(const QString &app, const QString &section, const QString &key) override;
    QString location() const override;
    // The original goes to the file's path (or the registry key's) with ".bak" appended.
    void keepOriginal() override;
    QString keptOriginal() const override { return m_keptAt; }

    // Where the per-user store of an application lives (a file path, or a registry path on Windows).
    static QString locationFor(const QString &app);

protected:
    bool writeChanges() override;

private:
    // One store serves one application: the first call names it.
    void load(const QString &app);
    bool usesRegistry() const;
    // Keeps what the store held aside, under its name with ".bak" appended; false when it could not.
    bool keepAside();

    QString m_filePath;
    QString m_location;
    IniDocument m_doc;
    QString m_keptAt;
    bool m_loaded = false;
    bool m_dirty = false;
    bool m_keepOriginal = false;
};
