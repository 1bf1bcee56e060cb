#include "timing/IniSettingsStore.h"

#include "timing/DurableFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// The registry on Windows is the one platform difference here.
#ifdef Q_OS_WIN
constexpr QSettings::Format kFormat = QSettings::NativeFormat;

IniDocument readRegistry(const QString &app)
{
    QSettings s(kFormat, QSettings::UserScope, app, app);
    IniDocument doc;
    for (const QString &group : s.childGroups()) {
        s.beginGroup(group);
        for (const QString &key : s.childKeys())
            doc.setValue(group, key, s.value(key).toString());
        s.endGroup();
    }
    return doc;
}

// The registry offers no replacement of the whole at once; each key is written, then synced.
bool writeRegistry(const QString &app, const IniDocument &doc)
{
    QSettings s(kFormat, QSettings::UserScope, app, app);
    for (const IniDocument::Section &section : doc.sections()) {
        s.beginGroup(section.name);
        for (const QString &key : s.childKeys()) {
            if (!section.values.contains(key))
                s.remove(key);
        }
        for (auto it = section.values.cbegin(); it != section.values.cend(); ++it)
            s.setValue(it.key(), it.value());
        s.endGroup();
    }
    s.sync();
    return s.status() == QSettings::NoError;
}
#else
IniDocument readRegistry(const QString &)
{
    return {};
}
bool writeRegistry(const QString &, const IniDocument &)
{
    return false;
}
#endif

} // namespace

IniSettingsStore::IniSettingsStore(QString filePath) : m_filePath(std::move(filePath))
{ }

QString IniSettingsStore::locationFor(const QString &app)
{
#ifdef Q_OS_WIN
    return QSettings(kFormat, QSettings::UserScope, app, app).fileName();
#else
    // Where QSettings keeps a user's INI file, worked out without one: QSettings reads the file as
    // it is made, and would wait for good on a FIFO in its place.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + app + u'/' + app
        + QStringLiteral(".ini");
#endif
}

bool IniSettingsStore::usesRegistry() const
{
#ifdef Q_OS_WIN
    return m_filePath.isEmpty();
#else
    return false;
#endif
}

void IniSettingsStore::load(const QString &app)
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_app = app;
    m_location = m_filePath.isEmpty() ? locationFor(app) : m_filePath;
    if (usesRegistry()) {
        m_doc = readRegistry(app);
        return;
    }
    if (!QFileInfo::exists(m_location))
        return; // the first start
    // Something that is there but is no regular file it can read (a folder, a device or a FIFO in
    // its place, no permission) is not written over: keeping it aside first fails, and so does the
    // commit, which is reported.
    const std::optional<QByteArray> bytes = DurableFile::readRegular(m_location);
    if (!bytes) {
        m_keepOriginal = true;
        return;
    }
    m_doc = IniDocument::parse(*bytes);
    if (!m_doc.whole())
        m_keepOriginal = true;
}

QString IniSettingsStore::getSetting(const QString &app, const QString &section, const QString &key,
                                     const QString &fallback)
{
    load(app);
    return m_doc.value(section, key).value_or(fallback);
}

void IniSettingsStore::saveSetting(const QString &app, const QString &section, const QString &key, const QString &value)
{
    load(app);
    m_dirty = m_doc.setValue(section, key, value) || m_dirty;
}

void IniSettingsStore::deleteSetting(const QString &app, const QString &section, const QString &key)
{
    load(app);
    m_dirty = m_doc.remove(section, key) || m_dirty;
}

QString IniSettingsStore::location() const
{
    return m_location.isEmpty() ? m_filePath : m_location;
}

void IniSettingsStore::keepOriginal()
{
    m_keepOriginal = true;
}

bool IniSettingsStore::writeChanges()
{
    if (!m_dirty)
        return true;
    if (usesRegistry()) {
        m_dirty = !writeRegistry(m_app, m_doc);
        return !m_dirty;
    }
    m_keptAt.clear();
    if (m_keepOriginal && QFileInfo::exists(m_location)) {
        const QString bak = m_location + QStringLiteral(".bak");
        const std::optional<QByteArray> original = DurableFile::readRegular(m_location);
        if (!original || !DurableFile::replace(bak, *original))
            return false;
        m_keptAt = bak;
    }
    if (!DurableFile::replace(m_location, m_doc.toBytes()))
        return false;
    m_keepOriginal = false;
    m_dirty = false;
    return true;
}
