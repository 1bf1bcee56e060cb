#pragma once
// Getting bytes onto the disk for good: the settings file and the journal must survive a power cut.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QFile;
class QFileDevice;
class QIODevice;

namespace DurableFile {

// Flushes the file's buffers to the system and waits until the system has them on the disk.
bool sync(QFileDevice &file);

// A file's name lives in its folder, which has to reach the disk as well. A folder that cannot be
// synced (some file systems refuse) leaves the file in place all the same.
void syncFolder(const QString &folder);

// Replaces the file at path with bytes as one step, creating its folder when needed: any failing
// write, flush or sync leaves the old file untouched and the temporary one removed. Only a regular
// file is replaced (a link is followed only to one) or created: a device, a FIFO, a socket or a
// link to nothing in its place fails and stays as it is.
bool replace(const QString &path, const QByteArray &bytes);
// The same, with the content written piece by piece by write, which says whether it wrote it all:
// a file of any size goes to the disk without being held in memory whole.
bool replace(const QString &path, const std::function<bool(QIODevice &file)> &write);

// The whole content of a regular file (a link is followed only to one). Anything else is not read,
// and a FIFO is never waited on: it gives nothing, as does a file that cannot be read.
std::optional<QByteArray> readRegular(const QString &path);

// What was found where a file was to be read.
enum class Opened {
    Missing, // nothing there, or what is there is not a regular file: nothing to read
    Unreadable, // a file may be there, but the system will not give it (no permission, a folder on
                // the way that cannot be searched or is a file)
    Open,
};
// Opens a regular file for reading a piece at a time, never waiting on a FIFO and never opening a
// device, as readRegular() does.
Opened openRegular(const QString &path, QFile &file);

} // namespace DurableFile
