#include "timing/DurableFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace DurableFile {

bool Sync(QFileDevice &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

void SyncFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder); // the file system keeps its own folders safe there
#else
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

bool Replace(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile's own sync on commit ignores failures; this one is checked.
    if (file.write(bytes) != bytes.size() || !Sync(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    SyncFolder(folder);
    return true;
}

} // namespace DurableFile
