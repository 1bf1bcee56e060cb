#pragma once
// A file that grows by whole lines, each on the disk before the call that wrote it returns.

#include <QByteArray>
#include <QFile>
#include <QString>

class AppendOnlyFile {
public:
    AppendOnlyFile() = default;
    explicit AppendOnlyFile(QString path) : m_path(std::move(path)) { }
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

    void close() { m_file.close(); }

    // Called after each append has reached the disk: a test ends its process there to see what a
    // crash between any two writes leaves behind. Null in the program.
    static inline void (*afterAppend)() = nullptr;

private:
    bool open();

    QString m_path;
    QFile m_file;
};
