#include "timing/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace DurableFile {

bool sync(QFileDevice &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    // Windows' fsync: the file's data and its size reach the disk before this returns.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
#else
    return ::fsync(file.handle()) == 0;
#endif
}

void syncFolder(const QString &folder)
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

bool replace(const QString &path, const QByteArray &bytes)
{
    // Renaming over what is not a regular file would put text where the system expects a device or
    // a pipe (as root, through a link, even one of the system's own).
    const QFileInfo target(path);
    if (target.exists() ? !target.isFile() : target.isSymLink())
        return false;
    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile's own sync on commit ignores failures; this one is checked.
    if (file.write(bytes) != bytes.size() || !sync(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolder(folder);
    return true;
}

std::optional<QByteArray> readRegular(const QString &path)
{
    // Opening a device may do something of its own, and opening a FIFO waits for a writer that
    // may never come: neither is opened. What is opened is checked again, in case it was swapped.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file;
#ifdef Q_OS_WIN
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st { };
    if (fd < 0)
        return std::nullopt;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
#endif
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace DurableFile
