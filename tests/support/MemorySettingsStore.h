#pragma once
// Settings held in memory, with a log of every write and delete in order.

#include "SettingsStore.h"

#include <QMap>
#include <QStringList>

class MemorySettingsStore : public SettingsStore {
public:
    QString GetSetting(const QString &app, const QString &section, const QString &key,
                       const QString &fallback) override;
    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
    void DeleteSetting(const QString &app, const QString &section, const QString &key) override;

    // Values by "app/section/key".
    QMap<QString, QString> values;
    // "save KEY=VALUE" and "delete KEY" entries, in the order they happened.
    QStringList log;

    void set(const QString &key, const QString &value) { values[path(QStringLiteral("Vantorel"), QStringLiteral("SET"), key)] = value; }
    QString get(const QString &key) const { return values.value(path(QStringLiteral("Vantorel"), QStringLiteral("SET"), key)); }
    bool has(const QString &key) const { return values.contains(path(QStringLiteral("Vantorel"), QStringLiteral("SET"), key)); }

private:
    static QString path(const QString &app, const QString &section, const QString &key)
    {
        return app + u'/' + section + u'/' + key;
    }
};
