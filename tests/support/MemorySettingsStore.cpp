#include "MemorySettingsStore.h"

QString MemorySettingsStore::getSetting(const QString &app, const QString &section, const QString &key,
                                        const QString &fallback)
{
    return values.value(path(app, section, key), fallback);
}

void MemorySettingsStore::saveSetting(const QString &app, const QString &section, const QString &key,
                                      const QString &value)
{
    values[path(app, section, key)] = value;
    log << QStringLiteral("save %1=%2").arg(key, value);
}

void MemorySettingsStore::deleteSetting(const QString &app, const QString &section, const QString &key)
{
    values.remove(path(app, section, key));
    log << QStringLiteral("delete %1").arg(key);
}

bool MemorySettingsStore::writeChanges()
{
    if (failCommits)
        return false;
    committed = values;
    return true;
}
