#include "timing/RegistryDocument.h"

#include <QSettings>

#ifdef Q_OS_WIN
bool RegistryDocument::isKey(const QString &location)
{
    return location.startsWith(QLatin1String("HKEY_"), Qt::CaseInsensitive);
}

IniDocument RegistryDocument::read(const QString &key)
{
    QSettings s(key, QSettings::NativeFormat);
    IniDocument doc;
    for (const QString &group : s.childGroups()) {
        s.beginGroup(group);
        for (const QString &name : s.childKeys())
            doc.setValue(group, name, s.value(name).toString());
        s.endGroup();
    }
    return doc;
}

// The registry offers no replacement of the whole at once; each value is written, then synced.
bool RegistryDocument::write(const QString &key, const IniDocument &doc)
{
    QSettings s(key, QSettings::NativeFormat);
    for (const IniDocument::Section &section : doc.sections()) {
        s.beginGroup(section.name);
        for (const QString &name : s.childKeys()) {
            if (!section.values.contains(name))
                s.remove(name);
        }
        for (auto it = section.values.cbegin(); it != section.values.cend(); ++it)
            s.setValue(it.key(), it.value());
        s.endGroup();
    }
    s.sync();
    return s.status() == QSettings::NoError;
}

bool RegistryDocument::replace(const QString &key, const IniDocument &doc)
{
    QSettings(key, QSettings::NativeFormat).clear();
    return write(key, doc);
}
#else
bool RegistryDocument::isKey(const QString &)
{
    return false;
}

IniDocument RegistryDocument::read(const QString &)
{
    return {};
}

bool RegistryDocument::write(const QString &, const IniDocument &)
{
    return false;
}

bool RegistryDocument::replace(const QString &, const IniDocument &)
{
    return false;
}
#endif
