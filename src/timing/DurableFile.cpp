#include "timing/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
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
    return replace(path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); });
}

bool replace(const QString &path, const std::function<bool(QIODevice &file)> &write)
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
    if (!write(file) || !sync(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolder(folder);
    return true;
}

Opened openRegular(const QString &path, QFile &file)
{
    // Opening a device may do something of its own, and opening a FIFO waits for a writer that
    // may never come: neither is opened. What is opened is checked again, in case it was swapped.
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.isFile()) {
        // A file where its folder should be hides whatever may be there.
        const QFileInfo folder(info.absolutePath());
        return folder.exists() && !folder.isDir() ? Opened::Unreadable : Opened::Missing;
    }
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? Opened::Open : Opened::Unreadable;
#else
    const QByteArray name = QFile::encodeName(path);
    struct stat st { };
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT ? Opened::Missing : Opened::Unreadable;
    if (!S_ISREG(st.st_mode))
        return Opened::Missing;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Opened::Missing : Opened::Unreadable;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Opened::Missing;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Opened::Unreadable;
    }
    return Opened::Open;
#endif
}

std::optional<QByteArray> readRegular(const QString &path)
{
    QFile file;
    if (openRegular(path, file) != Opened::Open)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace DurableFile
