#pragma once
// Settings held in memory, with a log of every write and delete in order and what was committed.

#include "timing/SettingsStore.h"

#include <QMap>
#include <QStringList>

class MemorySettingsStore : public SettingsStore {
public:
    QString getSetting(const QString &app, const QString &section, const QString &key,
                       const QString &fallback) override;
    void saveSetting(const QString &app, const QString &section, const QString &key, const QString &value) override;
    void deleteSetting(const QString &app, const QString &section, const QString &key) override;
    QString location() const override { return QStringLiteral("memory"); }
    void keepOriginal() override { } // memory holds nothing the program could not read

    // Values by "app/section/key".
    QMap<QString, QString> values;
    // "save KEY=VALUE" and "delete KEY" entries, in the order they happened.
    QStringList log;
    // The values as the last successful commit left them.
    QMap<QString, QString> committed;
    // While true every commit fails, as a full disk would make it.
    bool failCommits = false;

    void set(const QString &key, const QString &value)
    {
        values[path(QStringLiteral("Vantorel"), QStringLiteral("SET"), key)] = value;
    }
    QString get(const QString &key) const
    {
        return values.value(path(QStringLiteral("Vantorel"), QStringLiteral("SET"), key));
    }
    bool has(const QString &key) const
    {
        return values.contains(path(QStringLiteral("Vantorel"), QStringLiteral("SET"), key));
    }

protected:
    bool writeChanges() override;

private:
    static QString path(const QString &app, const QString &section, const QString &key)
    {
        return app + u'/' + section + u'/' + key;
    }
};
