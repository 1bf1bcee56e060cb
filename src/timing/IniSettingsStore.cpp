#include "timing/IniSettingsStore.h"

#include "timing/DurableFile.h"
#include "timing/RegistryDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

IniSettingsStore::IniSettingsStore(QString filePath) : m_filePath(std::move(filePath))
{ }

QString IniSettingsStore::locationFor(const QString &app)
{
#ifdef Q_OS_WIN
    // Per user, under the organisation's name that the program sets. A test program sets none and
    // has a key of its own under its own name, as a fresh XDG_CONFIG_HOME gives it a folder on Linux;
    // in Qt's test mode the program's key is apart from the operator's, as its folders are.
    QString organization = QCoreApplication::organizationName();
    if (organization.isEmpty())
        organization = QCoreApplication::applicationName();
    const QString tests = QStandardPaths::isTestModeEnabled() ? QStringLiteral("qttest\\") : QString();
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\%1%2\\%3").arg(tests, organization, app);
#else
    // Where QSettings keeps a user's INI file, worked out without one: QSettings reads the file as
    // it is made, and would wait for good on a FIFO in its place.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + app + u'/' + app
        + QStringLiteral(".ini");
#endif
}

bool IniSettingsStore::usesRegistry() const
{
    return RegistryDocument::isKey(location());
}

void IniSettingsStore::load(const QString &app)
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_location = m_filePath.isEmpty() ? locationFor(app) : m_filePath;
    if (usesRegistry()) {
        m_doc = RegistryDocument::read(m_location);
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
    m_keptAt.clear();
    if (m_keepOriginal && !keepAside())
        return false;
    if (usesRegistry() ? !RegistryDocument::write(m_location, m_doc)
                       : !DurableFile::replace(m_location, m_doc.toBytes()))
        return false;
    m_keepOriginal = false;
    m_dirty = false;
    return true;
}

bool IniSettingsStore::keepAside()
{
    const QString bak = m_location + QStringLiteral(".bak");
    if (usesRegistry()) {
        // A key is no file to copy: what the program could read of it goes to a key beside it.
        if (!RegistryDocument::replace(bak, RegistryDocument::read(m_location)))
            return false;
    } else {
        if (!QFileInfo::exists(m_location))
            return true;
        const std::optional<QByteArray> original = DurableFile::readRegular(m_location);
        if (!original || !DurableFile::replace(bak, *original))
            return false;
    }
    m_keptAt = bak;
    return true;
}
