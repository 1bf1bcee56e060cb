#include "report/ExportFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ExportFolder::ExportFolder(Load load, Save save) : m_load(std::move(load)), m_save(std::move(save))
{ }

QString ExportFolder::folder() const
{
    const QString kept = m_load ? m_load() : m_folder;
    // A folder since removed, or an unplugged drive, would open the dialog somewhere arbitrary.
    if (!kept.isEmpty() && QFileInfo(kept).isDir())
        return kept;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString ExportFolder::suggest(const QString &fileName) const
{
    return QDir(folder()).filePath(QFileInfo(fileName).fileName());
}

void ExportFolder::remember(const QString &path)
{
    const QString saved = QFileInfo(path).absolutePath();
    if (saved == folder())
        return;
    if (m_save)
        m_save(saved);
    else
        m_folder = saved;
}
