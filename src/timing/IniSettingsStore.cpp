#include "IniSettingsStore.h"

#include <QSettings>
#include <QStringList>

#include <memory>

namespace {
#ifdef Q_OS_WIN
constexpr QSettings::Format kFormat = QSettings::NativeFormat;
#else
constexpr QSettings::Format kFormat = QSettings::IniFormat;
#endif
} // namespace

IniSettingsStore::IniSettingsStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString IniSettingsStore::LocationFor(const QString &app)
{
    return QSettings(kFormat, QSettings::UserScope, app, app).fileName();
}

// Each call opens its own QSettings and syncs before returning, so a value written is on disk at
// once: a crash or a killed process later cannot lose what the operator confirmed.
std::unique_ptr<QSettings> IniSettingsStore::open(const QString &app) const
{
    if (m_filePath.isEmpty())
        return std::make_unique<QSettings>(kFormat, QSettings::UserScope, app, app);
    return std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
}

QString IniSettingsStore::GetSetting(const QString &app, const QString &section, const QString &key,
                                     const QString &fallback)
{
    const auto settings = open(app);
    QSettings &s = *settings;
    if (s.status() != QSettings::NoError)
        return fallback;
    s.beginGroup(section);
    const QVariant v = s.value(key);
    if (!v.isValid())
        return fallback;
    // An INI value with unquoted commas reads back as a list; the text is what was meant.
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

void IniSettingsStore::SaveSetting(const QString &app, const QString &section, const QString &key,
                                   const QString &value)
{
    const auto settings = open(app);
    QSettings &s = *settings;
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
}

void IniSettingsStore::DeleteSetting(const QString &app, const QString &section, const QString &key)
{
    const auto settings = open(app);
    QSettings &s = *settings;
    s.beginGroup(section);
    s.remove(key);
    s.endGroup();
    s.sync();
}
