#pragma once
// A file that grows by whole lines, each on the disk before the call that wrote it returns, or,
// when the disk is waited for in the background, handed to the system before it returns and on the
// disk a moment later.

#include "timing/BackgroundSync.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

class AppendOnlyFile {
public:
    AppendOnlyFile() = default;
    explicit AppendOnlyFile(QString path) : m_path(std::move(path)) { }
    ~AppendOnlyFile() { close(); }
    AppendOnlyFile(const AppendOnlyFile &) = delete;
    AppendOnlyFile &operator=(const AppendOnlyFile &) = delete;

    const QString &path() const { return m_path; }
    // Later lines go to another file; the open one is closed.
    void setPath(const QString &path);

    // Appends the bytes (whole lines) and waits until they are on the disk; the first append creates
    // the file and its folder. False when any of it failed: the file is closed then and opened
    // afresh by the next append, which starts on a new line so that a line cut short by the failure
    // (or by a crash in an earlier run) cannot swallow the next one.
    bool append(const QByteArray &lines);

    // From now on an append returns once the system holds its lines, and a thread of its own waits
    // until they are on the disk (see BackgroundSync): the caller no longer waits for the disk,
    // and a killed process still loses nothing. A sync that failed fails the next append.
    void syncInBackground();
    // Waits until every line appended so far is on the disk; false when one could not be put there.
    bool flush();

    // Waits for the lines on their way to the disk, then closes the file.
    void close();

    // Called after each append has reached the system (and the disk, unless it is waited for in
    // the background): a test ends its process there to see what a crash between any two writes
    // leaves behind. Null in the program.
    static inline void (*afterAppend)() = nullptr;

private:
    bool open();

    QString m_path;
    QFile m_file;
    std::unique_ptr<BackgroundSync> m_background; // null: each append waits for the disk itself
    bool m_syncing = false; // the background thread syncs the open file
};
